#pragma once
// The application's button images, compiled in as SVG resources.

#include <QIcon>
#include <QString>
#include <string_view>

namespace lumetra {

// The image of the given name ("line", "line_s", "grid", ...).
QIcon imageIcon(std::string_view name);

// The resource path of an image, ":/images/<name>.svg".
QString imagePath(std::string_view name);

}  // namespace lumetra
