#pragma once
// Reading a picture file to measure on: JPEG through the checked decoder every JPEG
// from outside passes (header check, size and memory budget, a picture that ends
// early refused), other formats (PNG, ...) through the toolkit's readers after the
// same size check. Either way nothing larger than kMaxJpegSide a side is decoded.

#include <QString>

#include "image/Frame.h"

namespace lumetra {

// The largest picture file read.
inline constexpr qint64 kMaxPictureFileSize = qint64{128} << 20;

struct PictureRead {
    Frame frame;      // null when the file could not be read
    QString problem;  // why not, for "Cannot open NAME: problem."
};

// The file as a BGRA frame; safe on any thread.
PictureRead readPictureFile(const QString& path);

}  // namespace lumetra
