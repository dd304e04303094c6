#include "app/PictureFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <cstring>
#include <new>

#include "image/JpegCodec.h"

namespace lumetra {
namespace {

PictureRead refused(const QString& problem) { return {Frame{}, problem}; }

Frame frameOf(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);  // B, G, R, 255 in memory
    if (rgb.isNull()) return {};
    Frame frame = Frame::allocate(rgb.width(), rgb.height());
    for (int y = 0; y < frame.height; ++y)
        std::memcpy(frame.row(y), rgb.constScanLine(y), static_cast<size_t>(frame.width) * 4);
    return frame;
}

PictureRead readJpeg(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return refused(file.errorString());
    const QByteArray bytes = file.read(kMaxPictureFileSize + 1);
    if (bytes.size() > kMaxPictureFileSize)
        return refused(QCoreApplication::translate("PictureFile", "the file is larger than %1 MiB")
                           .arg(kMaxPictureFileSize >> 20));
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    const auto size = static_cast<size_t>(bytes.size());
    if (const auto info = readJpegInfo(data, size);
        info && (info->width > kMaxJpegSide || info->height > kMaxJpegSide))
        return refused(QCoreApplication::translate(
                           "PictureFile", "the picture is %1 x %2 pixels, more than %3 on a side")
                           .arg(info->width)
                           .arg(info->height)
                           .arg(kMaxJpegSide));
    auto frame = decodeJpeg(data, size);
    if (!frame)
        return refused(
            QCoreApplication::translate("PictureFile", "the picture is damaged or incomplete"));
    return {std::move(*frame), {}};
}

}  // namespace

PictureRead readPictureFile(const QString& path) {
    try {
        const QFileInfo info(path);
        if (!info.exists())
            return refused(QCoreApplication::translate("PictureFile", "there is no such file"));
        if (!info.isFile())
            return refused(QCoreApplication::translate("PictureFile", "it is not a file"));
        QImageReader reader(path);
        const QByteArray format = reader.format();
        if (format.isEmpty()) {
            if (!info.isReadable())
                return refused(QCoreApplication::translate("PictureFile", "it may not be read"));
            return refused(
                QCoreApplication::translate("PictureFile", "it is not a picture (JPEG, PNG, ...)"));
        }
        if (format == "jpeg") return readJpeg(path);
        const QSize size = reader.size();
        if (size.width() > kMaxJpegSide || size.height() > kMaxJpegSide)
            return refused(
                QCoreApplication::translate("PictureFile",
                                            "the picture is %1 x %2 pixels, more than %3 on a side")
                    .arg(size.width())
                    .arg(size.height())
                    .arg(kMaxJpegSide));
        const QImage picture = reader.read();
        if (picture.isNull()) return refused(reader.errorString());
        if (picture.width() > kMaxJpegSide || picture.height() > kMaxJpegSide)
            return refused(QCoreApplication::translate(
                               "PictureFile", "the picture is more than %1 pixels on a side")
                               .arg(kMaxJpegSide));
        return {frameOf(picture), {}};
    } catch (const std::bad_alloc&) {
        return refused(
            QCoreApplication::translate("PictureFile", "there is not enough memory for it"));
    }
}

}  // namespace lumetra
