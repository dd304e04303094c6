// Text: the first click picks up the typed text (an empty field starts nothing)
// and the text follows the mouse; the next click stores it there. The view then
// leaves the tool.

#include "image/Translate.h"
#include "measure/tools/ToolSupport.h"

namespace lumetra {
namespace {

class TextTool : public MeasureTool {
    // The text taken from the field and following the mouse.
    enum Step : int32_t { kCarried = 1 };

public:
    void start(MeasureModel& m, Point l) const override {
        // Either way the field is emptied and hidden.
        m.strTextValue = m.textField ? m.textField->stringValue : std::string();
        if (!m.strTextValue.empty()) {
            m.pt1stPoint = l;
            m.iToolStep = kCarried;
        }
        if (m.textField) {
            m.textField->stringValue.clear();
            m.textField->hidden = true;
        }
    }

    // Stored at the position the last mouse move left.
    void click(MeasureModel& m, Point) const override { m.storeShape(kModeText); }

    void move(MeasureModel& m, Point l) const override {
        if (m.shapeInProgress()) m.pt1stPoint = l;
    }

    // A click on an empty field hides it and starts nothing; only choosing the
    // tool again shows it.
    std::string nextStep(const MeasureModel& m) const override {
        if (m.shapeInProgress()) return translate("StepHint", "Click to place the text");
        if (!m.textField || m.textField->hidden)
            return translate("StepHint", "Choose the text tool again to type a label");
        return translate("StepHint", "Type the label text, then click the picture");
    }

    // The text is its own label, drawn here; there is no measured one.
    bool preview(ShapePen& pen, const MeasureModel& m) const override {
        if (m.pt1stPoint.isSet())
            pen.label({m.strTextValue}, m.pt1stPoint, m.iFontSize, m.ctrFColor);
        return false;
    }

    // The text is the label; there is no outline.
    bool outline(ShapePen&, const RQShape&, RadiusSource) const override { return true; }
};

}  // namespace

LUMETRA_TOOL_INSTANCE(textTool, TextTool)

}  // namespace lumetra
