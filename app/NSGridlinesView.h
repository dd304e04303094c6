#pragma once
// The grid-length popover: one field for the spacing of the grid overlays in
// calibration units, with OK and Cancel. It is window-modal, so the overlay choice
// cannot change under it; Escape and closing it count as Cancel.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lumetra {

class NSGridlinesView : public QDialog {
    Q_OBJECT
public:
    explicit NSGridlinesView(QWidget* parent);

    QLineEdit* GridlinesField() const { return field_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    // Shows the popover below the given widget with the unit in its caption.
    void popUp(QWidget* anchor, const QString& unit);
    // Hides the popover after OK or Cancel was handled.
    void dismiss() { done(QDialog::Accepted); }

signals:
    void okRequested();
    void cancelRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void reject() override;  // Escape and close: Cancel

private:
    QLabel* caption_;
    QLineEdit* field_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace lumetra
