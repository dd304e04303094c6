#pragma once
// The clicks and moves shared by the continuous line and the polygon: up to nine
// vertices, each click fixing the one the mouse moves; the ninth vertex or a
// Control-click ends the figure, and one more click places the label and
// stores it.

#include "measure/tools/ToolSupport.h"

namespace lumetra {

class VertexFigure : public MeasureTool {
public:
    explicit VertexFigure(bool polygon) : polygon_(polygon) {}

    void start(MeasureModel& m, Point l) const override;
    void click(MeasureModel& m, Point l) const override;
    void controlClick(MeasureModel& m, Point l) const override;
    void move(MeasureModel& m, Point l) const override;
    std::string nextStep(const MeasureModel& m) const override;
    void remeasure(RQShape& s) const override;

private:
    // Vertices being placed, then the figure ended (the label follows the mouse).
    enum Step : int32_t { kDrawing = 1, kEnded };

    static bool ended(const MeasureModel& m) { return m.iToolStep >= kEnded; }
    uint8_t type() const { return polygon_ ? kModePolygon : kModeContinuousLine; }

    bool polygon_;
};

}  // namespace lumetra
