#include "measure/results/ResultsTable.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "image/Translate.h"
#include "measure/tools/ToolTable.h"

namespace lumetra {
namespace {

constexpr size_t kFirstValueColumn = 2;
constexpr const char* kContext = "ResultsTable";

struct QuantityColumn {
    Quantity quantity;
    const char* title;
};

// In the order the columns appear; Quantity's order.
constexpr std::array<QuantityColumn, 6> kQuantityColumns{{
    {Quantity::Length, QT_TRANSLATE_NOOP("ResultsTable", "Length")},
    {Quantity::Radius, QT_TRANSLATE_NOOP("ResultsTable", "Radius")},
    {Quantity::Diameter, QT_TRANSLATE_NOOP("ResultsTable", "Diameter")},
    {Quantity::Circumference, QT_TRANSLATE_NOOP("ResultsTable", "Circumference")},
    {Quantity::Area, QT_TRANSLATE_NOOP("ResultsTable", "Area")},
    {Quantity::Angle, QT_TRANSLATE_NOOP("ResultsTable", "Angle")},
}};

// The uncertainty of a value from the calibration's relative one (twice that for an
// area), to two significant digits with its unit; "" without one, and for angles.
std::string uncertaintyText(const MeasuredValue& v, const CalibrationValues& cal) {
    if (!(cal.relativeUncertainty > 0.0f) || v.quantity == Quantity::Angle) return {};
    const double relative =
        static_cast<double>(cal.relativeUncertainty) * (v.quantity == Quantity::Area ? 2.0 : 1.0);
    const double u = std::abs(v.value) * relative;
    if (!(u > 0.0) || !std::isfinite(u)) return {};
    const int decimals = std::max(0, 1 - static_cast<int>(std::floor(std::log10(u))));
    return formatFixed(decimals, u) + " " + quantityUnit(v.quantity, cal.strUnit);
}

}  // namespace

std::string quantityUnit(Quantity quantity, const std::string& unit) {
    if (quantity == Quantity::Angle) return "\u00B0";
    if (quantity == Quantity::Area) return unit + "\u00B2";
    return unit;
}

size_t resultsColumn(Quantity quantity) {
    return kFirstValueColumn + static_cast<size_t>(quantity);
}

size_t resultsUncertaintyColumn() { return kFirstValueColumn + kQuantityColumns.size(); }
size_t resultsTextColumn() { return resultsUncertaintyColumn() + 1; }
size_t resultsClassColumn() { return resultsTextColumn() + 1; }
size_t resultsCountColumn() { return resultsTextColumn() + 2; }

ResultsTable resultsTable(std::span<const RQShape> shapes, const CalibrationValues& cal,
                          const CountClassNames& names, ResultsTexts texts) {
    const auto word = [texts](const char* context, const char* text) {
        return texts == ResultsTexts::Shown ? translate(context, text) : std::string(text);
    };
    ResultsTable table;
    table.header = {"#", word(kContext, QT_TRANSLATE_NOOP("ResultsTable", "Tool"))};
    for (const QuantityColumn& column : kQuantityColumns) {
        table.header.push_back(word(kContext, column.title) + " (" +
                               quantityUnit(column.quantity, cal.strUnit) + ")");
    }
    table.header.push_back(word(kContext, QT_TRANSLATE_NOOP("ResultsTable", "Uncertainty")));
    table.header.push_back(word(kContext, QT_TRANSLATE_NOOP("ResultsTable", "Text")));
    table.header.push_back(word(kContext, QT_TRANSLATE_NOOP("ResultsTable", "Class")));
    table.header.push_back(word(kContext, QT_TRANSLATE_NOOP("ResultsTable", "Count")));

    for (size_t i = 0; i < shapes.size(); ++i) {
        const RQShape& shape = shapes[i];
        if (isMark(shape)) continue;
        std::vector<std::string> row(table.header.size());
        row[0] = std::to_string(table.rows.size() + 1);
        const ToolSpec* tool = findTool(shape.type);
        row[1] = tool ? word("MeasureTool", tool->name)
                      : fillIn(word(kContext, QT_TRANSLATE_NOOP("ResultsTable", "Type {}")),
                               {std::to_string(shape.type)});
        const std::vector<MeasuredValue> values = measurementValues(shape.type, shape.fData1, cal);
        for (const MeasuredValue& v : values) {
            row[resultsColumn(v.quantity)] = formatFixed(shape.iDecimal, v.value);
        }
        if (!values.empty()) row[resultsUncertaintyColumn()] = uncertaintyText(values.front(), cal);
        if (tool && tool->label == LabelKind::Text) row[resultsTextColumn()] = shape.textValue;
        table.rows.push_back(std::move(row));
        table.shapeOfRow.push_back(static_cast<int>(i));
    }
    const ClassCounts counts = countsPerClass(shapes);
    const ToolSpec* count = findTool(kModeCount);
    for (size_t c = 0; c < counts.size(); ++c) {
        if (counts[c] == 0) continue;
        std::vector<std::string> row(table.header.size());
        row[1] = word("MeasureTool", count->name);
        row[resultsClassColumn()] = names[c];
        row[resultsCountColumn()] = std::to_string(counts[c]);
        table.rows.push_back(std::move(row));
        table.shapeOfRow.push_back(-1);
    }
    return table;
}

}  // namespace lumetra
