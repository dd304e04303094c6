#include "app/Images.h"

// The resource file lives in a static library; registering it explicitly keeps
// the linker from dropping it.
static void registerImageResources() { Q_INIT_RESOURCE(resources); }

namespace lumetra {

namespace {

QString resourcePath(std::string_view name, const char* extension) {
    static const bool registered = (registerImageResources(), true);
    (void)registered;
    return QStringLiteral(":/images/%1.%2")
        .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
             QString::fromLatin1(extension));
}

}  // namespace

QString imagePath(std::string_view name) { return resourcePath(name, "svg"); }

QPixmap bitmapImage(std::string_view name) { return QPixmap(resourcePath(name, "png")); }

QIcon imageIcon(std::string_view name) { return QIcon(imagePath(name)); }

QImage frameImage(const Frame& frame) {
    if (frame.isNull()) return {};
    return QImage(
        frame.data.get(), frame.width, frame.height, frame.stride, QImage::Format_RGB32,
        [](void* kept) { delete static_cast<Frame*>(kept); }, new Frame(frame));
}

}  // namespace lumetra
