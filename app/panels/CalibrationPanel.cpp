#include "app/panels/CalibrationPanel.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/AlertPresenter.h"
#include "app/NewCalibrationController.h"
#include "app/panels/PanelWidgets.h"
#include "storage/CalibrationRecords.h"

namespace lumetra {
namespace {

QString toQString(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CalibrationPanel::Widgets CalibrationPanel::build(QWidget* parent, QVBoxLayout* column) {
    Widgets w;
    const TitledList calibrations = titledList(parent, column, tr("CALIBRATION"), "CalComboBox",
                                               "btCalibration", "calibration", tr("Calibration"));
    w.CalComboBox = calibrations.list;
    w.CalComboBox->setPlaceholderText(tr("Not calibrated"));
    w.CalComboBox->setAccessibleDescription(tr("The calibration that lengths are measured in"));
    w.btCalibration = calibrations.menuButton;
    w.calibrationStatus = label(parent, QString(), "calibrationStatus");
    w.calibrationStatus->setWordWrap(true);
    column->addWidget(w.calibrationStatus);
    return w;
}

CalibrationPanel::CalibrationPanel(const Widgets& widgets, const RQGlobalVariables& settings,
                                   AlertPresenter& alerts, QWidget* window)
    : QObject(window), w_(widgets), alerts_(alerts), window_(window), calibrations_(settings) {
    menu_ = new QMenu(tr("Menu"), window);
    menu_->addAction(tr("New Calibration"), this, &CalibrationPanel::newCalibration);
    menu_->addAction(tr("Open Folder"), this, &CalibrationPanel::folderWanted);
    menu_->addAction(tr("Clear Calibration"), this, &CalibrationPanel::clearAll);
    menu_->addAction(tr("Delete Calibration"), this, &CalibrationPanel::deleteChosen);
    // Only the user's choices count: filling and selecting by the panel runs no handling.
    connect(w_.CalComboBox, &QComboBox::activated, this, &CalibrationPanel::choose);
}

void CalibrationPanel::restore() {
    const auto index = calibrations_.restore();
    for (const std::string& name : calibrations_.names()) w_.CalComboBox->addItem(toQString(name));
    w_.CalComboBox->setCurrentIndex(index ? static_cast<int>(*index) : -1);
    showStatus();
    if (calibrations_.listUnreadable())
        alerts_.alert(tr("The calibration list \"%1\" cannot be read, so no calibration "
                         "is listed. It is kept as it is until a new calibration is "
                         "stored, then kept beside the new list.")
                          .arg(toQString(calibrations_.plistPath())));
}

void CalibrationPanel::popUpMenu() { menu_->popup(menuPosition(w_.btCalibration)); }

void CalibrationPanel::newCalibration() {
    delete sheet_;
    sheet_ = new NewCalibrationController(window_, alerts_);
    sheet_->delegate = this;
    sheet_->open();
}

void CalibrationPanel::PassValue(const UserEntity& entity, int32_t type) {
    if (type != kTransferCalibrationEntered) return;
    emit calibrationEntered(entity.Param1, entity.Param4, parseFloatValue(entity.Param2),
                            parseFloatValue(entity.Param3),
                            entity.Param5 == NewCalibrationController::kFindTicks);
}

void CalibrationPanel::choose(int index) {
    if (index < 0) return;
    if (const auto remembered = calibrations_.select(static_cast<size_t>(index))) {
        showStatus();
        emit calibrationChanged();
        if (!*remembered) alerts_.alert(toQString(remembered->message()));
    }
}

bool CalibrationPanel::chooseNamed(const std::string& name) {
    const std::vector<std::string>& names = calibrations_.names();
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) return false;
    const int index = static_cast<int>(found - names.begin());
    w_.CalComboBox->setCurrentIndex(index);
    choose(index);
    return true;
}

void CalibrationPanel::clearAll() {
    const size_t count = calibrations_.names().size();
    const QString what =
        count == 0 ? tr("No calibration is stored; the current one will be forgotten.")
        : count == 1
            ? tr("All 1 stored calibration will be deleted. This cannot be undone.")
            : tr("All %1 stored calibrations will be deleted. This cannot be undone.").arg(count);
    if (!alerts_.confirm(tr("Clear Calibration"), what)) return;
    if (const WriteResult cleared = calibrations_.clear(); !cleared)
        alerts_.alert(toQString(cleared.message()));
    w_.CalComboBox->clear();
    emit calibrationsCleared();
    showStatus();
    emit calibrationChanged();
}

void CalibrationPanel::deleteChosen() {
    const int index = w_.CalComboBox->currentIndex();
    if (index < 0 || static_cast<size_t>(index) >= calibrations_.names().size()) {
        alerts_.alert(tr("Choose the calibration to delete in the list first."));
        return;
    }
    const QString name = w_.CalComboBox->itemText(index);
    if (!alerts_.confirm(tr("Delete Calibration"),
                         tr("The calibration \"%1\" will be deleted. This cannot be "
                            "undone.")
                             .arg(name)))
        return;
    if (const WriteResult removed = calibrations_.remove(static_cast<size_t>(index)); !removed) {
        alerts_.alert(toQString(removed.message()));
        return;
    }
    relist();
    showStatus();
    emit calibrationChanged();
}

void CalibrationPanel::relist() {
    const std::vector<std::string>& names = calibrations_.names();
    w_.CalComboBox->clear();
    for (const std::string& n : names) w_.CalComboBox->addItem(toQString(n));
    const auto current = std::find(names.begin(), names.end(), calibrations_.strCalName());
    w_.CalComboBox->setCurrentIndex(calibrations_.isCalibrated() && current != names.end()
                                        ? static_cast<int>(current - names.begin())
                                        : -1);
}

// The view keeps its own unit length.
void CalibrationPanel::store(const CompletedCalibration& completed) {
    const auto stored =
        calibrations_.storeCompleted(completed.name, completed.magnification, completed.unit,
                                     completed.unitLength, completed.relativeUncertainty);
    if (!stored.index) {
        // In force for now, named beside the picture though not listed; the user
        // must know it is not kept.
        calibrations_.setCalibratedParas(completed.name, completed.magnification,
                                         completed.unitLength, completed.unit,
                                         completed.relativeUncertainty);
        w_.CalComboBox->setCurrentIndex(-1);
        showStatus();
        emit calibrationChanged();
        alerts_.alert(tr("The calibration \"%1\" is used now but was not stored. %2")
                          .arg(toQString(completed.name), toQString(stored.problem)));
        return;
    }
    w_.CalComboBox->addItem(toQString(completed.name));
    w_.CalComboBox->setCurrentIndex(static_cast<int>(*stored.index));
    showStatus();
    emit calibrationChanged();
    if (!stored.problem.empty()) alerts_.alert(toQString(stored.problem));
}

void CalibrationPanel::useCalibration(const std::string& name, const CalibrationValues& values) {
    calibrations_.setCalibratedParas(name, values.fScale, values.fUnitLength, values.strUnit);
    const auto listed =
        calibrations_.listedIndex(name, values.fScale, values.fUnitLength, values.strUnit);
    w_.CalComboBox->setCurrentIndex(listed ? static_cast<int>(*listed) : -1);
    showStatus();
    emit calibrationChanged();
}

void CalibrationPanel::setFrameWidth(int frameWidth, float viewWidth) {
    frameWidth_ = frameWidth;
    viewWidth_ = viewWidth;
    showStatus();
}

// The scale in the camera's own pixels, which a user can check on a snapshot. Before a
// frame is laid out only the view's units are known, and the text says so.
void CalibrationPanel::showStatus() {
    const CalibrationModel& c = calibrations_;
    if (!c.isCalibrated()) {
        w_.calibrationStatus->setText(tr("Lengths need a calibration"));
        return;
    }
    const double perUnit = static_cast<double>(c.fScale() / c.fUnitLength());
    const bool inFrame = frameWidth_ > 0;
    const double scale = inFrame ? perUnit * frameWidth_ / viewWidth_ : perUnit;
    // A found calibration gives its standard error with as many decimals as its first
    // significant digit needs, and the scale with as many.
    QString figure = QString::number(scale, 'f', 2);
    if (const double sigma = scale * static_cast<double>(c.relativeUncertainty()); sigma > 0.0) {
        const int decimals = std::clamp(static_cast<int>(std::ceil(-std::log10(sigma))), 2, 9);
        figure = QStringLiteral("%1 ± %2").arg(QString::number(scale, 'f', decimals),
                                               QString::number(sigma, 'f', decimals));
    }
    // One arg() call, so that a "%" in the name or the unit is left as it is.
    QLabel* status = w_.calibrationStatus;
    status->setText(tr("%1: 1 %2 = %3 %4 at this magnification")
                        .arg(toQString(c.strCalName()), toQString(c.strUnit()), figure,
                             inFrame ? tr("camera pixels") : tr("view units")));
    // The column lays the wrapped text out at its first height; a longer text (a name,
    // an uncertainty) asks for the lines it needs at the panel's width.
    if (status->width() > 0) status->setMinimumHeight(status->heightForWidth(status->width()));
}

}  // namespace lumetra
