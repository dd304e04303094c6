#pragma once
// The calibration panel: the list of stored calibrations, the calibration button
// with its menu ("New Calibration", "Open Folder", "Clear Calibration", "Delete
// Calibration"), the new-calibration sheet and the line naming the calibration in
// force with its scale. It owns the calibration in force (CalibrationModel, kept in
// calibration.txt) and reports changes of it; the window carries them to the view,
// the tools, the overlays and the results.

#include <QObject>
#include <string>

#include "measure/CalibrationValues.h"
#include "measure/Types.h"
#include "storage/CalibrationModel.h"

class QComboBox;
class QLabel;
class QMenu;
class QToolButton;
class QVBoxLayout;
class QWidget;

namespace lumetra {

class AlertPresenter;
class NewCalibrationController;
class RQGlobalVariables;

class CalibrationPanel : public QObject, private RQTransferDelegate {
    Q_OBJECT
public:
    struct Widgets {
        QToolButton* btCalibration = nullptr;
        QComboBox* CalComboBox = nullptr;
        QLabel* calibrationStatus = nullptr;  // the calibration in force and its scale
    };

    // Builds the panel's widgets, titled "CALIBRATION", at the end of column.
    static Widgets build(QWidget* parent, QVBoxLayout* column);

    // window: the parent of the menu and the sheet.
    CalibrationPanel(const Widgets& widgets, const RQGlobalVariables& settings,
                     AlertPresenter& alerts, QWidget* window);

    const CalibrationModel& model() const { return calibrations_; }
    QMenu* menu() const { return menu_; }
    NewCalibrationController* sheet() const { return sheet_; }

    // Lists the stored calibrations with the one of calibration.txt chosen, and
    // says so when the list file cannot be read.
    void restore();
    // The calibration button: the menu at the pointer.
    void popUpMenu();
    // The menu's entries. Clearing and deleting ask first.
    void newCalibration();
    void clearAll();
    void deleteChosen();
    // The view completed a calibration: stored in the list (when the list file can
    // be written), listed and chosen.
    void store(const CompletedCalibration& completed);
    // A reopened snapshot's calibration is put in force, as it was taken, without
    // being stored: the list shows its name when a listed calibration has the same
    // values, else nothing is chosen in the list.
    void useCalibration(const std::string& name, const CalibrationValues& values);
    // The frame the view was laid out for: frameWidth camera pixels over viewWidth
    // view units (0 pixels: no frame yet). The scale line reads in camera pixels.
    void setFrameWidth(int frameWidth, float viewWidth);
    // Chooses the stored calibration of that name, as choosing it in the list does;
    // false, changing nothing, when none is stored under it.
    bool chooseNamed(const std::string& name);

signals:
    // The calibration in force changed (chosen, stored, deleted or cleared).
    void calibrationChanged();
    // "Clear Calibration" was confirmed: the stored shapes, the tool and the overlay go.
    void calibrationsCleared();
    // The sheet's values were confirmed: the reference line is drawn next, in the
    // line tool, with the calibration in force kept until it completes. findTicks: the
    // line is drawn along a micrometer's ticks and actualLength is one division.
    void calibrationEntered(const std::string& name, const std::string& unit, float magnification,
                            float actualLength, bool findTicks);
    // "Open Folder": the storage folder opens.
    void folderWanted();

private:
    // The sheet's report.
    void PassValue(const UserEntity& entity, int32_t type) override;
    void choose(int index);
    // The list again from the model, with the calibration in force chosen.
    void relist();
    void showStatus();

    Widgets w_;
    AlertPresenter& alerts_;
    QWidget* window_;
    CalibrationModel calibrations_;
    QMenu* menu_ = nullptr;
    NewCalibrationController* sheet_ = nullptr;
    int frameWidth_ = 0;
    float viewWidth_ = 0.0f;
};

}  // namespace lumetra
