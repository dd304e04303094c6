#include "measure/ShapeRenderer.h"

#include <cmath>

#include "measure/OverlayGeometry.h"
#include "measure/OverlayRenderer.h"

namespace lumetra {
namespace {

struct Scaler {
    double xs;
    double ys;
    Point operator()(Point p) const { return {p.x * xs, p.y * ys}; }

    // Distance of a and b after scaling, computed in float.
    double distance(Point a, Point b) const {
        const float dx = static_cast<float>((b.x - a.x) * xs);
        const float dy = static_cast<float>((b.y - a.y) * ys);
        return std::sqrt(dx * dx + dy * dy);
    }
};

bool hasOutline(uint8_t type) {
    return type >= kModeLine && type <= kModePolygon && type != kModeUnused;
}

void strokeSegment(DrawingSurface& s, Point a, Point b) {
    s.moveTo(a);
    s.lineTo(b);
}

// Outline of one shape; returns the label anchor slot, or 0 for none.
int buildAndStroke(DrawingSurface& s, const RQShape& shape, const Scaler& sc, RadiusSource radii) {
    const bool stored = radii == RadiusSource::Stored;
    switch (shape.type) {
        case kModeLine:
            strokeSegment(s, sc(shape.pt1stPoint), sc(shape.pt2ndPoint));
            s.stroke();
            return 3;
        case kModeContinuousLine:
            s.moveTo(sc(shape.pt1stPoint));
            s.lineTo(sc(shape.pt2ndPoint));
            for (int k = 3; k <= 9; ++k) {
                if (shape.pt(k).isSet()) s.lineTo(sc(shape.pt(k)));
            }
            s.stroke();
            return 10;
        case kModeParallelLines:
            strokeSegment(s, sc(shape.pt1stPoint), sc(shape.pt2ndPoint));
            if (shape.pt4thPoint.isSet())
                strokeSegment(s, sc(shape.pt3rdPoint), sc(shape.pt4thPoint));
            s.stroke();
            return 5;
        case kModeCircleRadius: {
            const double r =
                stored ? shape.fData1 : sc.distance(shape.pt1stPoint, shape.pt2ndPoint);
            s.addCircle(sc(shape.pt1stPoint), r);
            s.stroke();
            return 3;
        }
        case kModeCircleDiameter: {
            const Point a = sc(shape.pt1stPoint);
            const Point b = sc(shape.pt2ndPoint);
            const double r =
                stored ? shape.fData1 * 0.5 : sc.distance(shape.pt1stPoint, shape.pt2ndPoint) * 0.5;
            s.addCircle({(a.x + b.x) / 2, (a.y + b.y) / 2}, r);
            s.stroke();
            return 3;
        }
        case kModeCircleThreePoints: {
            const double r =
                stored ? shape.fData1 : sc.distance(shape.pt1stPoint, shape.pt5thPoint);
            s.addCircle(sc(shape.pt5thPoint), r);
            s.stroke();
            return 4;
        }
        case kModeAngleThreePoints:
            s.moveTo(sc(shape.pt1stPoint));
            s.lineTo(sc(shape.pt3rdPoint));
            s.lineTo(sc(shape.pt2ndPoint));
            s.stroke();
            return 4;
        case kModeAngleFourPoints:
            strokeSegment(s, sc(shape.pt1stPoint), sc(shape.pt2ndPoint));
            s.stroke();
            strokeSegment(s, sc(shape.pt3rdPoint), sc(shape.pt4thPoint));
            s.stroke();
            return shape.pt4thPoint.isSet() ? 5 : 0;
        case kModePolygon:
            s.moveTo(sc(shape.pt1stPoint));
            s.lineTo(sc(shape.pt2ndPoint));
            for (int k = 3; k <= 9 && shape.pt(k).isSet(); ++k) s.lineTo(sc(shape.pt(k)));
            s.closePath();
            s.stroke();
            return 10;
        default:
            return 0;
    }
}

}  // namespace

void drawLabelBlock(DrawingSurface& surface, const std::vector<std::string>& lines, Point anchor,
                    double fontSize, RgbColor color) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const Point origin{anchor.x, anchor.y - static_cast<double>(i) * fontSize};
        surface.drawText(lines[i], origin, kLabelFontFamily, fontSize, color);
    }
}

void drawShape(DrawingSurface& surface, const RQShape& shape, const CalibrationValues& cal,
               float xScale, float yScale, RadiusSource radii) {
    const Scaler sc{xScale, yScale};
    if (shape.type == kModeText) {
        if (shape.pt1stPoint.isSet()) {
            drawLabelBlock(surface, {shape.textValue}, sc(shape.pt1stPoint), shape.iFontSize,
                           shape.ctrFColor);
        }
        return;
    }
    if (!hasOutline(shape.type)) return;
    surface.setLineWidth(shape.iLineWidth);
    surface.setStrokeColor(shape.ctrLColor);
    surface.beginPath();
    const int anchorSlot = buildAndStroke(surface, shape, sc, radii);
    if (anchorSlot == 0 || !shape.pt(anchorSlot).isSet()) return;
    drawLabelBlock(surface, measurementLabel(shape.type, shape.fData1, shape.iDecimal, cal),
                   sc(shape.pt(anchorSlot)), shape.iFontSize, shape.ctrFColor);
}

void drawGraphit(DrawingSurface& surface, std::span<const RQShape> shapes,
                 const CalibrationValues& cal, float xScale, float yScale) {
    for (const RQShape& shape : shapes) {
        drawShape(surface, shape, cal, xScale, yScale, RadiusSource::Stored);
    }
}

void drawShapes(DrawingSurface& surface, std::span<const RQShape> shapes,
                const CalibrationValues& cal, const OverlaySetting& overlay, float w, float h,
                float xScale, float yScale) {
    for (const RQShape& shape : shapes) {
        drawShape(surface, shape, cal, xScale, yScale, RadiusSource::ScaledPoints);
    }
    drawOverlay(surface, imageOverlay(overlay.iGridMode, w, h, overlay.fPitchPixes, xScale, yScale),
                overlay.iLineWidth, overlay.ctrLColor);
}

}  // namespace lumetra
