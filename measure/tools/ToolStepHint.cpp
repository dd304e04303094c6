#include "measure/tools/ToolStepHint.h"

#include "measure/MeasureModel.h"
#include "measure/tools/ToolTable.h"

namespace lumetra {

std::string toolStepHint(const MeasureModel& m) {
    const ToolSpec* tool = findTool(m.iMode);
    return tool ? tool->behaviour.nextStep(m) : std::string();
}

}  // namespace lumetra
