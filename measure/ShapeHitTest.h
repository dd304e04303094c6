#pragma once
// What a pointer is over among the stored shapes: the nearest handle (a point a
// shape can be edited by) and the nearest shape, by its outline or its handles.
// Distances are in the model's units; the caller turns its screen tolerance into
// them, so that the same few screen pixels count at every zoom.

#include <cstddef>
#include <optional>
#include <span>

#include "measure/RQShape.h"

namespace lumetra {

struct ShapeHandle {
    size_t shape = 0;  // index in the stored shapes
    int slot = 0;      // the point slot of the handle
    friend bool operator==(const ShapeHandle&, const ShapeHandle&) = default;
};

// The handle nearest to p within radius; of equally near ones the newest shape's.
std::optional<ShapeHandle> handleAt(std::span<const RQShape> shapes, Point p, double radius);

// The shape whose outline or handle is nearest to p within tolerance; of equally
// near ones the newest.
std::optional<size_t> shapeAt(std::span<const RQShape> shapes, Point p, double tolerance);

// Distance of p from the shape's outline as drawn (lines and circles), or from
// its nearest handle when that is nearer; infinite for a shape with neither.
double distanceToShape(const RQShape& shape, Point p);

}  // namespace lumetra
