#include "app/Images.h"

// The resource file lives in a static library; registering it explicitly keeps
// the linker from dropping it.
static void registerImageResources() { Q_INIT_RESOURCE(resources); }

namespace lumetra {

QString imagePath(std::string_view name) {
    static const bool registered = (registerImageResources(), true);
    (void)registered;
    return QStringLiteral(":/images/%1.svg")
        .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

QIcon imageIcon(std::string_view name) { return QIcon(imagePath(name)); }

}  // namespace lumetra
