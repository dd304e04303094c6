#pragma once
// The stored shape chosen in the results table, drawn again over the live view
// in a highlight style. Only the view draws it; snapshots never do.

#include <span>

#include "measure/DrawingSurface.h"
#include "measure/LabelFormat.h"
#include "measure/RQShape.h"

namespace lumetra {

// The shape at index drawn wider in the highlight colour, with its label in a
// deeper shade that stays readable on light pictures;
// an index outside the list draws nothing. Points are multiplied by zoom.
void drawHighlightedShape(DrawingSurface& surface, std::span<const RQShape> shapes, int index,
                          const CalibrationValues& cal, double zoom = 1.0);

}  // namespace lumetra
