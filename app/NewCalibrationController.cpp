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
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("Calibration"));
    setWindowTitle(QStringLiteral("New Calibration"));

    name_->setPlaceholderText(QStringLiteral("e.g. Objective 10x"));
    mag_->setPlaceholderText(QStringLiteral("whole number, e.g. 100"));
    len_->setPlaceholderText(QStringLiteral("length of the reference, e.g. 0.5"));
    for (const std::string& title : calibrationUnitTitles())
        unit_->addItem(QString::fromStdString(title));
    unit_->setCurrentIndex(0);
    method_->addItem(QStringLiteral("Draw the reference line"));
    method_->addItem(QString::fromLatin1(kFindTicks));

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(10);
    form->addRow(QStringLiteral("Name"), name_);
    form->addRow(QStringLiteral("Magnification"), mag_);
    form->addRow(QStringLiteral("Actual length"), len_);
    form->addRow(QStringLiteral("Unit"), unit_);
    form->addRow(QStringLiteral("Scale from"), method_);
    // Finding the ticks needs the length of one division, not of the whole line.
    connect(method_, &QComboBox::currentIndexChanged, this, [this, form](int index) {
        const bool ticks = index == 1;
        if (auto* label = qobject_cast<QLabel*>(form->labelForField(len_)))
            label->setText(ticks ? QStringLiteral("One division")
                                 : QStringLiteral("Actual length"));
        len_->setPlaceholderText(ticks ? QStringLiteral("the micrometer's pitch, e.g. 0.01")
                                       : QStringLiteral("length of the reference, e.g. 0.5"));
    });

    layOutSheet(*this,
                QStringLiteral("Enter the calibration, press OK, then draw a line over the "
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
