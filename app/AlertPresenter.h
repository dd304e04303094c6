#pragma once
// Every message the window shows goes through one presenter, so that tests can
// answer alerts and confirmations without a blocking dialog.

#include <QString>

class QWidget;

namespace lumetra {

// What a save panel shows: its title, the folder it opens in, the suggested name,
// the file type filter and the suffix added to a name typed without one.
struct SaveFileRequest {
    QString title;
    QString folder;
    QString suggestedName;
    QString filter;
    QString suffix;
};

class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;

    // A modal message with one dismiss button.
    virtual void alert(const QString& text) = 0;

    // A modal warning with "OK" and "Cancel" (the default); true for "OK".
    virtual bool confirm(const QString& message, const QString& informativeText) = 0;

    // A save panel; the chosen path, or empty when cancelled.
    virtual QString chooseSaveFile(const SaveFileRequest& request) = 0;
};

// The real thing: modal message boxes over a parent window.
class MessageBoxPresenter : public AlertPresenter {
public:
    explicit MessageBoxPresenter(QWidget* parent) : parent_(parent) {}

    void alert(const QString& text) override;
    bool confirm(const QString& message, const QString& informativeText) override;
    QString chooseSaveFile(const SaveFileRequest& request) override;

private:
    QWidget* parent_;
};

}  // namespace lumetra
