#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

#include "AppTestSupport.h"
#include "app/NewCalibrationController.h"

using namespace lumetra;
using namespace lumetra::test;

TEST(NewCalibrationController, InvalidEntriesReportNothingThenTheValuesGoAsTyped) {
    RecordingPresenter alerts;
    RecordingDelegate delegate;
    NewCalibrationController sheet{nullptr, alerts};
    sheet.delegate = &delegate;
    sheet.open();
    const auto enter = [&](const QString& name, const QString& mag, const QString& len) {
        sheet.CalibrationName()->setText(name);
        sheet.CalibrationMag()->setText(mag);
        sheet.CalibrationLen()->setText(len);
        sheet.okButton()->click();
    };
    enter("", "12.5", "");
    enter("x4", "12.5", "1");
    EXPECT_EQ(alerts.alerts, (QStringList{"Name is illegal", "Actual Length is illegal"}));
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_TRUE(delegate.types.empty());

    sheet.CalibrationUnit()->setCurrentIndex(1);
    const QString unit = sheet.CalibrationUnit()->currentText();
    enter("Objective 10x", " 12 ", "0.25");
    EXPECT_FALSE(sheet.isVisible());
    ASSERT_EQ(delegate.types, std::vector<int32_t>{kTransferCalibrationEntered});
    const UserEntity& entity = delegate.entities.front();
    EXPECT_EQ(std::vector({entity.Param1, entity.Param2, entity.Param3, entity.Param4}),
              std::vector<std::string>({"Objective 10x", " 12 ", "0.25", unit.toStdString()}));
}

TEST(NewCalibrationController, FindingTheTicksAsksForOneDivision) {
    RecordingPresenter alerts;
    RecordingDelegate delegate;
    NewCalibrationController sheet{nullptr, alerts};
    sheet.delegate = &delegate;
    sheet.open();
    sheet.CalibrationMethod()->setCurrentIndex(1);
    EXPECT_EQ(sheet.CalibrationMethod()->currentText(), "Find the ticks");
    sheet.CalibrationName()->setText("Micrometer");
    sheet.CalibrationMag()->setText("100");
    sheet.CalibrationLen()->setText("10");
    sheet.okButton()->click();
    ASSERT_EQ(delegate.entities.size(), 1u);
    EXPECT_EQ(delegate.entities.front().Param3, "10");
    EXPECT_EQ(delegate.entities.front().Param5, NewCalibrationController::kFindTicks);
}
