#pragma once
// One stored measurement: its points, its frozen style and its value fData1 in
// view pixels, square view pixels or degrees. A plain value record.

#include <cstdint>
#include <string>

#include "measure/PointSlots.h"
#include "measure/Types.h"

namespace lumetra {

struct RQShape : PointSlots {
    uint8_t type = 0;
    uint8_t iLineWidth = 2;
    uint8_t iFontSize = 16;
    uint8_t iDecimal = 3;
    RgbColor ctrLColor = kPureRed;
    RgbColor ctrFColor = kPureBlue;
    float fData1 = 0.0f;
    float fData2 = 0.0f;  // circles: circumference; not read by any part
    float fData3 = 0.0f;  // circles: area; not read by any part
    float fData4 = 0.0f;
    float AuxVariable1 = 0.0f, AuxVariable2 = 0.0f, AuxVariable3 = 0.0f;
    float AuxVariable4 = 0.0f, AuxVariable5 = 0.0f, AuxVariable6 = 0.0f;
    float AuxVariable7 = 0.0f, AuxVariable8 = 0.0f, AuxVariable9 = 0.0f;
    std::string textValue;
    uint8_t markClass = 0;  // count marks: their class, 1 to 9
    friend bool operator==(const RQShape&, const RQShape&) = default;
};

}  // namespace lumetra
