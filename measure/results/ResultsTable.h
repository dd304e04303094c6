#pragma once
// The results of the stored measurements as a table of texts: one row per
// shape in list order, one column per quantity. Values are converted and
// formatted exactly as the shapes' labels are, so the table and the picture
// agree digit for digit.

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "measure/LabelFormat.h"
#include "measure/RQShape.h"

namespace lumetra {

struct ResultsTable {
    // "#", "Tool", then the quantities with their units, e.g. "Length (mm)",
    // "Area (mm²)", "Angle (°)", "Uncertainty" and "Text".
    std::vector<std::string> header;
    // One row per stored shape, as many cells as the header; empty cells for
    // the quantities a shape does not have.
    std::vector<std::vector<std::string>> rows;
};

// The unit a quantity is given in: the calibration unit, its square for
// areas, the degree sign for angles.
std::string quantityUnit(Quantity quantity, const std::string& unit);

// The column of a quantity in the table (after "#" and "Tool").
size_t resultsColumn(Quantity quantity);
// The column of the uncertainty the calibration gives a shape's first value (a length,
// radius, diameter or area; never an angle), with its unit ("0.0021 mm"): empty unless
// the calibration was found from a micrometer's ticks.
size_t resultsUncertaintyColumn();
// The column of the typed text.
size_t resultsTextColumn();

// Shapes of unknown type still get a row (number and type), without values.
ResultsTable resultsTable(std::span<const RQShape> shapes, const CalibrationValues& cal);

}  // namespace lumetra
