#pragma once
// The text tool's single-line entry field as the measurement model sees it: a
// frame in view coordinates (lower-left corner, y up), centred text, a
// placeholder, the typed string and whether it is hidden. The widget mirrors
// it with a real text field and copies the typed string back before a click.

#include <string>

#include "image/Translate.h"

namespace lumetra {

struct TextFieldModel {
    double x = 0.0;  // lower-left corner, view coordinates
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;
    bool centred = true;
    std::string placeholder = translate("TextField", "Please enter text");
    std::string stringValue;
    bool hidden = false;
};

}  // namespace lumetra
