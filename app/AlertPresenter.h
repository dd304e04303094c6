#pragma once
// Every message the window shows goes through one presenter, so that tests can
// answer alerts and confirmations without a blocking dialog.

#include <QString>

class QWidget;

namespace lumetra {

class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;

    // A modal message with one dismiss button.
    virtual void alert(const QString& text) = 0;

    // A modal warning with "OK" and "Cancel"; true for "OK".
    virtual bool confirm(const QString& message, const QString& informativeText) = 0;
};

// The real thing: modal message boxes over a parent window.
class MessageBoxPresenter : public AlertPresenter {
public:
    explicit MessageBoxPresenter(QWidget* parent) : parent_(parent) {}

    void alert(const QString& text) override;
    bool confirm(const QString& message, const QString& informativeText) override;

private:
    QWidget* parent_;
};

}  // namespace lumetra
