#include "app/Images.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QSvgRenderer>

// The resource file lives in a static library; registering it explicitly keeps
// the linker from dropping it.
static void registerImageResources() { Q_INIT_RESOURCE(resources); }

namespace lumetra {

namespace {

// The stroke colour of the plain (not chosen) button images.
const QByteArray kPlainStroke = QByteArrayLiteral("#D3D9E2");

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

QIcon imageIcon(std::string_view name) {
    QFile file(imagePath(name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QByteArray svg = file.readAll();
    // The plain images' strokes follow the palette's text, a little towards the
    // window, so that they read on a light theme as on a dark one.
    const QPalette palette = QGuiApplication::palette();
    const QColor text = palette.color(QPalette::WindowText);
    const QColor window = palette.color(QPalette::Window);
    const QColor stroke =
        QColor::fromRgbF(static_cast<float>(text.redF() * 0.88 + window.redF() * 0.12),
                         static_cast<float>(text.greenF() * 0.88 + window.greenF() * 0.12),
                         static_cast<float>(text.blueF() * 0.88 + window.blueF() * 0.12));
    svg.replace(kPlainStroke, stroke.name().toLatin1());
    QSvgRenderer renderer(svg);
    QIcon icon;
    for (int side : {48, 96, 144}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QImage frameImage(const Frame& frame) {
    if (frame.isNull()) return {};
    return QImage(
        frame.data.get(), frame.width, frame.height, frame.stride, QImage::Format_RGB32,
        [](void* kept) { delete static_cast<Frame*>(kept); }, new Frame(frame));
}

}  // namespace lumetra
