#pragma once
// The new-calibration sheet: name, magnification, actual length of the reference
// feature and unit. OK checks the input, reports it to the delegate (kTransferCalibrationEntered)
// and closes; the user then draws the reference line in the measuring view.

#include <QDialog>

#include "measure/Types.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace lumetra {

class AlertPresenter;

class NewCalibrationController : public QDialog {
    Q_OBJECT
public:
    NewCalibrationController(QWidget* parent, AlertPresenter& alerts);

    RQTransferDelegate* delegate = nullptr;  // not owned

    QLineEdit* CalibrationName() const { return name_; }
    QLineEdit* CalibrationMag() const { return mag_; }
    QLineEdit* CalibrationLen() const { return len_; }
    QComboBox* CalibrationUnit() const { return unit_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    static bool isPureInt(const QString& text);
    static bool isPureFloat(const QString& text);

public slots:
    void onOKNewCalibration();
    void onCancelNewCalibration();

private:
    AlertPresenter& alerts_;
    QLineEdit* name_;
    QLineEdit* mag_;
    QLineEdit* len_;
    QComboBox* unit_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace lumetra
