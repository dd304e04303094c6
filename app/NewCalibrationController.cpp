#include "app/NewCalibrationController.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/AlertPresenter.h"
#include "app/SheetLayout.h"
#include "policy/CalibrationInput.h"
#include "policy/NumberText.h"

namespace lumetra {

NewCalibrationController::NewCalibrationController(QWidget* parent, AlertPresenter& alerts)
    : QDialog(parent),
      alerts_(alerts),
      name_(new QLineEdit(this)),
      mag_(new QLineEdit(this)),
      len_(new QLineEdit(this)),
      unit_(new QComboBox(this)),
      method_(new QComboBox(this)),
      ok_(new QPushButton(tr("OK"), this)),
      cancel_(new QPushButton(tr("Cancel"), this)) {
    setObjectName(QStringLiteral("Calibration"));
    setWindowTitle(tr("New Calibration"));

    name_->setPlaceholderText(tr("e.g. Objective 10x"));
    mag_->setPlaceholderText(tr("whole number, e.g. 100"));
    len_->setPlaceholderText(tr("length of the reference, e.g. 0.5"));
    for (const std::string& title : calibrationUnitTitles())
        unit_->addItem(QString::fromStdString(title));
    unit_->setCurrentIndex(0);
    method_->addItem(tr("Draw the reference line"));
    method_->addItem(tr(kFindTicks));

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(10);
    form->addRow(tr("Name"), name_);
    form->addRow(tr("Magnification"), mag_);
    form->addRow(tr("Actual length"), len_);
    form->addRow(tr("Unit"), unit_);
    form->addRow(tr("Scale from"), method_);
    // Finding the ticks needs the length of one division, not of the whole line.
    connect(method_, &QComboBox::currentIndexChanged, this, [this, form](int index) {
        const bool ticks = index == 1;
        if (auto* label = qobject_cast<QLabel*>(form->labelForField(len_)))
            label->setText(ticks ? tr("One division") : tr("Actual length"));
        len_->setPlaceholderText(ticks ? tr("the micrometer's pitch, e.g. 0.01")
                                       : tr("length of the reference, e.g. 0.5"));
    });

    layOutSheet(*this,
                tr("Enter the calibration, press OK, then draw a line over the "
                   "reference feature and click once more to place its label."),
                form, ok_, cancel_, 400);

    // The buttons are wired directly, not through accept/reject, so that an
    // invalid entry keeps the sheet open.
    connect(ok_, &QPushButton::clicked, this, &NewCalibrationController::onOKNewCalibration);
    connect(cancel_, &QPushButton::clicked, this,
            &NewCalibrationController::onCancelNewCalibration);
}

bool NewCalibrationController::isPureInt(const QString& text) {
    return lumetra::isPureInt(text.toStdString());
}

bool NewCalibrationController::isPureFloat(const QString& text) {
    return lumetra::isPureFloat(text.toStdString());
}

void NewCalibrationController::onOKNewCalibration() {
    const CalibrationInput input{name_->text().toStdString(), mag_->text().toStdString(),
                                 len_->text().toStdString(), unit_->currentText().toStdString()};
    if (const auto problem = calibrationInputProblem(input)) {
        alerts_.alert(QString::fromUtf8(problem->data(), static_cast<qsizetype>(problem->size())));
        return;
    }
    UserEntity entity = calibrationEnteredEntity(input);
    if (method_->currentIndex() == 1) entity.Param5 = kFindTicks;
    if (delegate) delegate->PassValue(entity, kTransferCalibrationEntered);
    done(QDialog::Accepted);
}

void NewCalibrationController::onCancelNewCalibration() { done(QDialog::Rejected); }

}  // namespace lumetra
