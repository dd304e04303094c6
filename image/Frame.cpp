#include "image/Frame.h"

#include <cstring>

#include "image/FullPicture.h"

namespace lumetra {

Frame Frame::allocate(int width, int height) {
    Frame f;
    if (width <= 0 || height <= 0) return f;
    f.width = width;
    f.height = height;
    f.stride = width * 4;
    f.data = std::shared_ptr<uint8_t[]>(new uint8_t[f.byteCount()]);
    return f;
}

Frame Frame::clone() const {
    if (isNull()) return {};
    Frame copy = allocate(width, height);
    for (int y = 0; y < height; ++y)
        std::memcpy(copy.row(y), row(y), static_cast<size_t>(width) * 4);
    copy.capturedAt = capturedAt;
    return copy;
}

int Frame::fullWidth() const { return fullPicture ? fullPicture->size().width : width; }

int Frame::fullHeight() const { return fullPicture ? fullPicture->size().height : height; }

Frame Frame::full() const {
    if (!fullPicture) return *this;
    Frame picture = fullPicture->picture();
    if (!picture.isNull()) picture.capturedAt = capturedAt;
    return picture;
}

}  // namespace lumetra
