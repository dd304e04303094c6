#pragma once
// The new-calibration sheet: name, magnification, actual length of the reference
// feature and unit, and how the scale is taken: from a line drawn over the reference, or
// by finding the ticks of a stage micrometer along a line drawn roughly over them (then
// the length is that of one division). OK checks the input, reports it to the delegate
// (kTransferCalibrationEntered, Param5 kFindTicks for the second way) and closes; the
// user then draws the line in the measuring view.

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
    QComboBox* CalibrationMethod() const { return method_; }

    // Param5 of the report when the ticks are to be found, in English whatever the
    // language; translated, the second way's text in the method list.
    static constexpr const char* kFindTicks = QT_TR_NOOP("Find the ticks");
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
    QComboBox* method_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace lumetra
