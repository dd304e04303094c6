#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

#include "AppTestSupport.h"
#include "app/NewCalibrationController.h"

using namespace lumetra;
using namespace lumetra::test;

namespace {

struct RecordingDelegate : RQTransferDelegate {
    void PassValue(const UserEntity& entity, int32_t type) override {
        transfers.push_back({entity, type});
    }
    std::vector<std::pair<UserEntity, int32_t>> transfers;
};

class NewCalibrationControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        sheet.delegate = &delegate;
        sheet.open();
    }
    void enter(const QString& name, const QString& mag, const QString& len) {
        sheet.CalibrationName()->setText(name);
        sheet.CalibrationMag()->setText(mag);
        sheet.CalibrationLen()->setText(len);
        sheet.okButton()->click();
    }

    RecordingPresenter alerts;
    RecordingDelegate delegate;
    NewCalibrationController sheet{nullptr, alerts};
};

}  // namespace

TEST_F(NewCalibrationControllerTest, OffersUnitsWithMillimetreFirst) {
    ASSERT_GT(sheet.CalibrationUnit()->count(), 1);
    EXPECT_EQ(sheet.CalibrationUnit()->currentText(), "mm");
    for (int i = 0; i < sheet.CalibrationUnit()->count(); ++i) {
        EXPECT_FALSE(sheet.CalibrationUnit()->itemText(i).contains('-'));
    }
}

TEST_F(NewCalibrationControllerTest, EachInvalidEntryAlertsAndKeepsTheSheetOpen) {
    const struct {
        const char *name, *mag, *len, *alert;
    } cases[] = {
        {"", "12.5", "", "Name is illegal"},
        {"x4", "4", "", "Actual length is illegal"},
        {"x4", "12.5", "1", "Actual Length is illegal"},
    };
    for (const auto& c : cases) {
        alerts.alerts.clear();
        enter(c.name, c.mag, c.len);
        EXPECT_EQ(alerts.alerts, QStringList{c.alert}) << c.name << "|" << c.mag << "|" << c.len;
        EXPECT_TRUE(sheet.isVisible());
    }
    EXPECT_TRUE(delegate.transfers.empty());
}

TEST_F(NewCalibrationControllerTest, ValidEntryIsSentAsTypedAndCloses) {
    sheet.CalibrationUnit()->setCurrentIndex(1);
    const QString unit = sheet.CalibrationUnit()->currentText();
    enter("Objective 10x", " 12 ", "0.25");
    EXPECT_TRUE(alerts.alerts.isEmpty());
    EXPECT_FALSE(sheet.isVisible());
    ASSERT_EQ(delegate.transfers.size(), 1u);
    const auto& [entity, type] = delegate.transfers.front();
    EXPECT_EQ(type, kTransferCalibrationEntered);
    EXPECT_EQ(entity.Param1, "Objective 10x");
    EXPECT_EQ(entity.Param2, " 12 ");
    EXPECT_EQ(entity.Param3, "0.25");
    EXPECT_EQ(entity.Param4, unit.toStdString());
}

TEST_F(NewCalibrationControllerTest, CancelClosesWithoutReporting) {
    sheet.CalibrationName()->setText("x");
    sheet.cancelButton()->click();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_TRUE(delegate.transfers.empty());
    EXPECT_TRUE(alerts.alerts.isEmpty());
}
