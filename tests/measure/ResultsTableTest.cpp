#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "measure/results/ResultsTable.h"
#include "measure/results/ResultsText.h"

namespace lumetra {
namespace {

RQShape shapeOf(uint8_t type, float fData1, uint8_t decimals, std::string text = {}) {
    RQShape s;
    s.type = type;
    s.fData1 = fData1;
    s.iDecimal = decimals;
    s.textValue = std::move(text);
    return s;
}

// The value cells of a row that are not empty, in column order.
std::vector<std::string> values(const std::vector<std::string>& row) {
    std::vector<std::string> out;
    for (size_t c = 2; c < row.size(); ++c)
        if (!row[c].empty()) out.push_back(row[c]);
    return out;
}

TEST(ResultsTable, EveryShapeTypeUnderTwoCalibrations) {
    const CalibrationValues mm{60.0f, 1.0f, "mm"};         // 60 px read 1 mm
    const CalibrationValues um{40.0f, 250.0f, "\u00B5m"};  // 40 px read 250 µm
    struct Case {
        uint8_t type;
        float fData1;
        uint8_t decimals;
        const char* tool;
        std::vector<std::string> inMm, inUm;
    };
    const std::vector<Case> cases = {
        {kModeLine, 120.0f, 3, "Line", {"2.000"}, {"750.000"}},
        {kModeContinuousLine, 90.0f, 2, "Continuous line", {"1.50"}, {"562.50"}},
        {kModeParallelLines, 30.0f, 1, "Point to line", {"0.5"}, {"187.5"}},
        // Radius, circumference, area with the labels' own constants.
        {kModeCircleRadius,
         60.0f,
         2,
         "Circle (radius)",
         {"1.00", "6.28", "3.14"},
         {"375.00", "2356.12", "441773.44"}},
        {kModeCircleDiameter,
         120.0f,
         1,
         "Circle (diameter)",
         {"2.0", "6.3", "3.1"},
         {"750.0", "2356.1", "441773.4"}},
        {kModeCircleThreePoints,
         30.0f,
         0,
         "Circle (3 points)",
         {"0", "3", "1"},
         {"188", "1178", "110443"}},
        {kModeAngleThreePoints, 45.5f, 1, "Angle (3 points)", {"45.5"}, {"45.5"}},
        {kModeAngleFourPoints, 90.0f, 0, "Angle (4 points)", {"90"}, {"90"}},
        {kModePolygon, 3600.0f, 3, "Polygon", {"1.000"}, {"140625.000"}},
        {kModeText, 0.0f, 3, "Text", {}, {}},
    };
    std::vector<RQShape> shapes;
    for (const Case& c : cases) shapes.push_back(shapeOf(c.type, c.fData1, c.decimals));
    shapes.push_back(shapeOf(kModeUnused, 5.0f, 3));  // unknown type: a row without values

    for (const auto* cal : {&mm, &um}) {
        const ResultsTable table = resultsTable(shapes, *cal, defaultCountClassNames());
        ASSERT_EQ(table.rows.size(), shapes.size());
        for (size_t i = 0; i < cases.size(); ++i) {
            SCOPED_TRACE(cases[i].tool);
            const auto& row = table.rows[i];
            EXPECT_EQ(row[0] + row[1], std::to_string(i + 1) + cases[i].tool);
            EXPECT_EQ(values(row), cal == &mm ? cases[i].inMm : cases[i].inUm);
            // Each value reads exactly as the label on the picture does.
            const auto label =
                measurementLabel(shapes[i].type, shapes[i].fData1, shapes[i].iDecimal, *cal);
            for (size_t v = 0; v < label.size(); ++v)
                EXPECT_NE(label[v].find(values(row)[v]), std::string::npos) << label[v];
        }
        EXPECT_EQ(table.rows.back()[1], "Type 7");
        EXPECT_TRUE(values(table.rows.back()).empty());
    }
}

TEST(ResultsText, CsvQuotesAndTabSeparatedFlattensAwkwardText) {
    const std::vector<RQShape> shapes = {shapeOf(kModeText, 0, 3, "a, \"b\"\nc"),
                                         shapeOf(kModeLine, 60.0f, 1)};
    const ResultsTable table = resultsTable(shapes, {60.0f, 1.0f, "m,m"}, defaultCountClassNames());
    const std::string csv = resultsCsv(table);
    EXPECT_EQ(
        csv.substr(0, csv.find("\r\n")),
        "#,Tool,\"Length (m,m)\",\"Radius (m,m)\",\"Diameter (m,m)\","
        "\"Circumference (m,m)\",\"Area (m,m\u00B2)\",Angle (\u00B0),Uncertainty,Text,Class,Count");
    EXPECT_NE(csv.find("\r\n1,Text,,,,,,,,\"a, \"\"b\"\"\nc\",,\r\n2,Line,1.0,,,,,,,,,\r\n"),
              std::string::npos)
        << csv;

    const std::string tsv = resultsTabSeparated(
        resultsTable(std::vector<RQShape>{shapeOf(kModeText, 0, 3, "a\tb\r\nc")},
                     {60.0f, 1.0f, "mm"}, defaultCountClassNames()));
    EXPECT_NE(tsv.find("\n1\tText\t\t\t\t\t\t\t\ta b  c\t\t\n"), std::string::npos) << tsv;
}

// Marks are not listed one by one: the measurements keep their numbers, then
// each class with marks has a row with its name and count, also in the CSV.
TEST(ResultsTable, MarksAreCountedPerClassAfterTheMeasurements) {
    auto mark = [](uint8_t markClass) {
        RQShape s = shapeOf(kModeCount, 0.0f, 3);
        s.markClass = markClass;
        return s;
    };
    const std::vector<RQShape> shapes = {mark(2), shapeOf(kModeLine, 60.0f, 1), mark(9), mark(2)};
    CountClassNames names = defaultCountClassNames();
    names[1] = "Cells, live";
    const ResultsTable table = resultsTable(shapes, {60.0f, 1.0f, "mm"}, names);
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.shapeOfRow, (std::vector<int>{1, -1, -1}));
    EXPECT_EQ(table.rows[0][0] + table.rows[0][1], "1Line");
    EXPECT_EQ(table.rows[1][resultsClassColumn()] + "=" + table.rows[1][resultsCountColumn()],
              "Cells, live=2");
    EXPECT_EQ(table.rows[2][resultsClassColumn()] + "=" + table.rows[2][resultsCountColumn()],
              "Class 9=1");
    EXPECT_NE(resultsCsv(table).find(
                  "\r\n,Count,,,,,,,,,\"Cells, live\",2\r\n,Count,,,,,,,,,Class 9,1\r\n"),
              std::string::npos)
        << resultsCsv(table);
}

TEST(ResultsTable, FoundCalibrationsGiveLengthsAndAreasTheirUncertainty) {
    const std::vector<RQShape> shapes = {
        shapeOf(kModeLine, 120.0f, 3), shapeOf(kModeCircleRadius, 60.0f, 2),
        shapeOf(kModePolygon, 3600.0f, 3), shapeOf(kModeAngleThreePoints, 45.5f, 1)};
    CalibrationValues found{60.0f, 1.0f, "mm"};  // 60 px read 1 mm
    found.relativeUncertainty = 1e-3f;
    const ResultsTable table = resultsTable(shapes, found, defaultCountClassNames());
    const size_t column = resultsUncertaintyColumn();
    EXPECT_EQ(table.header[column], "Uncertainty");
    EXPECT_EQ(table.rows[0][column], "0.0020 mm");        // 2 mm
    EXPECT_EQ(table.rows[1][column], "0.0010 mm");        // radius 1 mm
    EXPECT_EQ(table.rows[2][column], "0.0020 mm\u00B2");  // 1 mm², twice the relative
    EXPECT_EQ(table.rows[3][column], "");
    // A drawn calibration gives none.
    EXPECT_EQ(resultsTable(shapes, {60.0f, 1.0f, "mm"}, defaultCountClassNames()).rows[0][column],
              "");
}

}  // namespace
}  // namespace lumetra
