#include "measure/ShapeHitTest.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "measure/ShapeEditing.h"
#include "measure/tools/ToolTable.h"

namespace lumetra {
namespace {

constexpr double kFar = std::numeric_limits<double>::infinity();

double distanceBetween(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

double distanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    if (lengthSquared == 0.0) return distanceBetween(p, a);
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0);
    return distanceBetween(p, {a.x + t * dx, a.y + t * dy});
}

// A drawing surface that keeps only how near its strokes pass to one point.
class NearestStroke : public DrawingSurface {
public:
    explicit NearestStroke(Point p) : p_(p) {}
    double distance() const { return nearest_; }

    void beginPath() override {}
    void moveTo(Point p) override { start_ = last_ = p; }
    void lineTo(Point p) override {
        take(distanceToSegment(p_, last_, p));
        last_ = p;
    }
    void addCircle(Point centre, double radius) override {
        take(std::fabs(distanceBetween(p_, centre) - radius));
    }
    void closePath() override { lineTo(start_); }
    void stroke() override {}
    void setLineWidth(double) override {}
    void setStrokeColor(RgbColor) override {}
    void fillRect(RectF, RgbColor, double) override {}
    void drawText(const std::string&, Point, const std::string&, double, RgbColor) override {}
    void drawImage(const Frame&, RectF) override {}
    void save() override {}
    void restore() override {}

private:
    void take(double d) {
        if (std::isfinite(d)) nearest_ = std::min(nearest_, d);
    }

    Point p_;
    Point start_, last_;
    double nearest_ = kFar;
};

}  // namespace

double distanceToShape(const RQShape& shape, Point p) {
    const ToolSpec* tool = findTool(shape.type);
    if (!tool) return kFar;
    NearestStroke outline(p);
    ShapePen pen(outline, shape.iLineWidth, shape.ctrLColor);
    pen.begin();
    tool->behaviour.outline(pen, shape, RadiusSource::Stored);
    double nearest = outline.distance();
    for (int slot : handleSlots(shape))
        nearest = std::min(nearest, distanceBetween(p, shape.pt(slot)));
    return nearest;
}

std::optional<ShapeHandle> handleAt(std::span<const RQShape> shapes, Point p, double radius) {
    std::optional<ShapeHandle> found;
    double nearest = radius;
    for (size_t i = 0; i < shapes.size(); ++i) {
        for (int slot : handleSlots(shapes[i])) {
            const double d = distanceBetween(p, shapes[i].pt(slot));
            if (d <= nearest) {
                nearest = d;
                found = ShapeHandle{i, slot};
            }
        }
    }
    return found;
}

std::optional<size_t> shapeAt(std::span<const RQShape> shapes, Point p, double tolerance) {
    std::optional<size_t> found;
    double nearest = tolerance;
    for (size_t i = 0; i < shapes.size(); ++i) {
        const double d = distanceToShape(shapes[i], p);
        if (d <= nearest) {
            nearest = d;
            found = i;
        }
    }
    return found;
}

}  // namespace lumetra
