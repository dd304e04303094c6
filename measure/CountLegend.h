#pragma once
// The counts per class beside the picture: a small legend in the top right
// corner of the view and of snapshots (the top left one shows "FROZEN"), one line per class that
// has marks, e.g. "2 Cells: 14" in the class's colour on a dark backdrop.

#include <span>
#include <string>
#include <vector>

#include "measure/CountMarks.h"
#include "measure/DrawingSurface.h"

namespace lumetra {

// The legend's lines, in class order; none without marks.
std::vector<std::string> countLegendLines(std::span<const RQShape> shapes,
                                          const CountClassNames& names);

// Draws the legend in the top right corner of a w x h surface, in fontSize.
void drawCountLegend(DrawingSurface& surface, std::span<const RQShape> shapes,
                     const CountClassNames& names, double w, double h, double fontSize);

}  // namespace lumetra
