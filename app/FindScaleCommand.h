#pragma once
// The command line's scale search (--find-scale): reads a JPEG or PNG picture, finds the
// period of the ticks along the given line and words the answer for a terminal, without
// a window or a camera.

#include <QString>

#include "measure/scale/PictureSampling.h"

namespace lumetra {

struct ScaleLine {
    PixelPoint a, b;  // in the picture's pixels
};

// "X1,Y1,X2,Y2" as a line; false when it is not four finite numbers.
bool parseScaleLine(const QString& text, ScaleLine& line);

struct CommandAnswer {
    int status = 0;  // the program's exit status
    QString out;     // for standard output
    QString err;     // for standard error
};

// Status 0 with "period_px=P sigma_px=S ticks=N" and a line break; status 1 with the
// reason when the picture cannot be read or the line crosses no row of ticks.
CommandAnswer findScaleCommand(const ScaleLine& line, const QString& picturePath);

}  // namespace lumetra
