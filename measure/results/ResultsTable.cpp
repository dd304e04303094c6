#include "measure/results/ResultsTable.h"

#include <array>

#include "measure/tools/ToolTable.h"

namespace lumetra {
namespace {

constexpr size_t kFirstValueColumn = 2;

struct QuantityColumn {
    Quantity quantity;
    const char* title;
};

// In the order the columns appear; Quantity's order.
constexpr std::array<QuantityColumn, 6> kQuantityColumns{{
    {Quantity::Length, "Length"},
    {Quantity::Radius, "Radius"},
    {Quantity::Diameter, "Diameter"},
    {Quantity::Circumference, "Circumference"},
    {Quantity::Area, "Area"},
    {Quantity::Angle, "Angle"},
}};

}  // namespace

std::string quantityUnit(Quantity quantity, const std::string& unit) {
    if (quantity == Quantity::Angle) return "\u00B0";
    if (quantity == Quantity::Area) return unit + "\u00B2";
    return unit;
}

size_t resultsColumn(Quantity quantity) {
    return kFirstValueColumn + static_cast<size_t>(quantity);
}

size_t resultsTextColumn() { return kFirstValueColumn + kQuantityColumns.size(); }

ResultsTable resultsTable(std::span<const RQShape> shapes, const CalibrationValues& cal) {
    ResultsTable table;
    table.header = {"#", "Tool"};
    for (const QuantityColumn& column : kQuantityColumns) {
        table.header.push_back(std::string(column.title) + " (" +
                               quantityUnit(column.quantity, cal.strUnit) + ")");
    }
    table.header.emplace_back("Text");

    for (size_t i = 0; i < shapes.size(); ++i) {
        const RQShape& shape = shapes[i];
        std::vector<std::string> row(table.header.size());
        row[0] = std::to_string(i + 1);
        const ToolSpec* tool = findTool(shape.type);
        row[1] = tool ? tool->name : "Type " + std::to_string(shape.type);
        for (const MeasuredValue& v : measurementValues(shape.type, shape.fData1, cal)) {
            row[resultsColumn(v.quantity)] = formatFixed(shape.iDecimal, v.value);
        }
        if (tool && tool->label == LabelKind::Text) row[resultsTextColumn()] = shape.textValue;
        table.rows.push_back(std::move(row));
    }
    return table;
}

}  // namespace lumetra
