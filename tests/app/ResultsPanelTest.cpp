#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTableWidget>
#include <filesystem>

#include "AppTestSupport.h"
#include "app/ResultsPanel.h"
#include "measure/results/ResultsText.h"

using namespace lumetra;
using namespace lumetra::test;

namespace {

std::vector<RQShape> lineAndText() {
    RQShape line;
    line.type = kModeLine;
    line.fData1 = 120.0f;
    RQShape text;
    text.type = kModeText;
    text.textValue = "nucleus, \"left\"";
    return {line, text};
}

TEST(ResultsPanel, RowsSelectionExportAndCopy) {
    RecordingPresenter alerts;
    ResultsPanel panel(alerts);
    auto* table = panel.findChild<QTableWidget*>(QStringLiteral("resultsTable"));
    ASSERT_TRUE(table);
    QSignalSpy selected(&panel, &ResultsPanel::shapeSelected);
    const auto shapes = lineAndText();
    panel.setShapes(shapes, {60.0f, 1.0f, "mm"}, defaultCountClassNames());
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_TRUE(table->isColumnHidden(static_cast<int>(resultsColumn(Quantity::Radius))));
    table->selectRow(1);
    // A new calibration keeps the chosen row; removing its shape unchooses it.
    panel.setShapes(shapes, {60.0f, 1000.0f, "um"}, defaultCountClassNames());
    EXPECT_EQ(table->item(0, 2)->text(), QStringLiteral("2000.000"));
    panel.setShapes(std::span(shapes).first(1), {60.0f, 1.0f, "mm"}, defaultCountClassNames());
    ASSERT_EQ(selected.count(), 2);
    EXPECT_EQ(selected.at(0).at(0).toInt(), 1);
    EXPECT_EQ(selected.at(1).at(0).toInt(), -1);

    TempDir dir;
    const auto file = dir.path() / "results.csv";
    ASSERT_TRUE(panel.exportCsv(QString::fromStdString(file.string())));
    EXPECT_EQ(test::slurp(file), resultsCsv(panel.table()));

    panel.copyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              resultsTabSeparated(panel.table()));

    EXPECT_FALSE(panel.exportCsv(QString::fromStdString((dir.path() / "gone/r.csv").string())));
    EXPECT_EQ(alerts.alerts.size(), 1);
}

// The panel is about 174 pixels wide in a 1366x768 window: a line's and an
// angle's columns show without scrolling, each header naming its quantity in full as its tip.
TEST(ResultsPanel, ALineAndAnAngleFitTheNarrowPanel) {
    RecordingPresenter alerts;
    ResultsPanel panel(alerts);
    auto* table = panel.findChild<QTableWidget*>(QStringLiteral("resultsTable"));
    ASSERT_TRUE(table);
    RQShape line;
    line.type = kModeLine;
    line.fData1 = 1200.0f;
    RQShape angle;
    angle.type = kModeAngleThreePoints;
    angle.fData1 = 135.0f;
    const std::vector<RQShape> shapes{line, angle};
    panel.resize(174, 300);
    panel.show();
    panel.setShapes(shapes, {60.0f, 1.0f, "mm"}, defaultCountClassNames());
    EXPECT_LE(table->horizontalHeader()->length(), table->viewport()->width());
    const int length = static_cast<int>(resultsColumn(Quantity::Length));
    EXPECT_EQ(table->horizontalHeaderItem(length)->toolTip(), QStringLiteral("Length (mm)"));
}

}  // namespace
