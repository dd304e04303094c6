#include "app/FindScaleCommand.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <cmath>
#include <cstring>
#include <optional>
#include <variant>

#include "image/JpegCodec.h"
#include "measure/scale/FindScale.h"

namespace lumetra {
namespace {

// The picture as a frame, read within the decoders' limits: a JPEG through the
// project's decoder and its memory budget, anything else the toolkit reads (PNG) only
// when its header claims no side above the JPEG limit.
std::optional<Frame> readPicture(const QString& path, QString& why) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        why = QCoreApplication::translate("FindScaleCommand", "cannot open \"%1\": %2")
                  .arg(path, file.errorString());
        return std::nullopt;
    }
    if (file.peek(2) == QByteArray("\xFF\xD8", 2)) {
        file.close();
        if (auto frame = decodeJpegFile(QFile::encodeName(path).toStdString())) return frame;
        why = QCoreApplication::translate("FindScaleCommand",
                                          "\"%1\" is not a JPEG picture that can be decoded")
                  .arg(path);
        return std::nullopt;
    }
    QImageReader reader(&file);
    const QSize size = reader.size();
    if (size.width() > kMaxJpegSide || size.height() > kMaxJpegSide) {
        why = QCoreApplication::translate("FindScaleCommand",
                                          "\"%1\" is larger than %2 pixels on a side")
                  .arg(path)
                  .arg(kMaxJpegSide);
        return std::nullopt;
    }
    const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) {
        why = QCoreApplication::translate("FindScaleCommand", "\"%1\" cannot be read: %2")
                  .arg(path, reader.errorString());
        return std::nullopt;
    }
    // ARGB32 lies in memory as blue, green, red, alpha on the machines this runs on.
    Frame frame = Frame::allocate(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(frame.row(y), image.constScanLine(y), static_cast<size_t>(image.width()) * 4);
    return frame;
}

}  // namespace

bool parseScaleLine(const QString& text, ScaleLine& line) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4) return false;
    double values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(values[i])) return false;
    }
    line = {{values[0], values[1]}, {values[2], values[3]}};
    return true;
}

CommandAnswer findScaleCommand(const ScaleLine& line, const QString& picturePath) {
    QString why;
    const std::optional<Frame> picture = readPicture(picturePath, why);
    if (!picture) return {1, {}, why + QLatin1Char('\n')};
    const ScaleSearch search = findScale(*picture, line.a, line.b);
    if (const auto* refusal = std::get_if<ScaleRefusal>(&search))
        return {1, {}, QString::fromStdString(refusal->reason) + QLatin1Char('\n')};
    const ScaleFound& found = std::get<ScaleFound>(search);
    return {0,
            QStringLiteral("period_px=%1 sigma_px=%2 ticks=%3\n")
                .arg(found.periodPx, 0, 'f', 6)
                .arg(found.sigmaPx, 0, 'f', 6)
                .arg(found.ticks),
            {}};
}

}  // namespace lumetra
