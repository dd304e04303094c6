#pragma once
// The results of the stored measurements as a table of texts: one row per
// measurement in list order, one column per quantity, then one row per class
// of count marks with its count. Values are converted and formatted exactly as
// the shapes' labels are, so the table and the picture agree digit for digit.
// Marks are counted, not listed one by one: a few hundred marks would bury the
// measurements, and the count is what is wanted (each mark's place is in the
// snapshot's sidecar).

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "measure/CountMarks.h"
#include "measure/LabelFormat.h"
#include "measure/RQShape.h"

namespace lumetra {

struct ResultsTable {
    // "#", "Tool", then the quantities with their units, e.g. "Length (mm)",
    // "Area (mm²)", "Angle (°)", "Uncertainty", then "Text", "Class" and "Count".
    std::vector<std::string> header;
    // One row per stored shape that is not a mark, numbered 1, 2, ... among
    // them, then one per class with marks (no number, the class's name and its
    // count); as many cells as the header, empty cells for what a row does not have.
    std::vector<std::vector<std::string>> rows;
    // Per row, the index of its shape in the list; -1 for the rows of counts.
    std::vector<int> shapeOfRow;
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
// The column of the typed text; the class and count columns follow it.
size_t resultsTextColumn();
size_t resultsClassColumn();
size_t resultsCountColumn();

// The words of the table (titles, tool names): as written, for files and other programs,
// or in the user's language, for the screen. Values and units are the same in both.
enum class ResultsTexts { Written, Shown };

// Shapes of unknown type still get a row (number and type), without values.
// Count classes are named by names.
ResultsTable resultsTable(std::span<const RQShape> shapes, const CalibrationValues& cal,
                          const CountClassNames& names, ResultsTexts texts = ResultsTexts::Written);

}  // namespace lumetra
