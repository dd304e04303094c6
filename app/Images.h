#pragma once
// The application's images, compiled in as resources: the button images as
// SVG, the background patterns as PNG.

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <string_view>

#include "image/Frame.h"

namespace lumetra {

// The image of the given name ("line", "line_s", "grid", ...).
QIcon imageIcon(std::string_view name);

// The resource path of an image, ":/images/<name>.svg".
QString imagePath(std::string_view name);

// The bitmap image of the given name ("BackgroundNoisy"), from
// ":/images/<name>.png"; null when there is none.
QPixmap bitmapImage(std::string_view name);

// A decoded picture as an image sharing its pixels, which the image keeps alive;
// null for a null frame.
QImage frameImage(const Frame& frame);

}  // namespace lumetra
