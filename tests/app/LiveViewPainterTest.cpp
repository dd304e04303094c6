#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "app/LiveViewPainter.h"
#include "tools/camsim/MicrometerSlide.h"

using namespace lumetra;

namespace {

constexpr int kWidgetW = 1470;
constexpr int kWidgetH = 914;

// A frame with detail at every scale: gradients and a fine checker.
Frame patternFrame(int width, int height, int seed) {
    Frame frame = Frame::allocate(width, height);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(frame.row(y));
        for (int x = 0; x < width; ++x)
            row[x] = 0xff000000u | static_cast<uint32_t>((x * 255 / width + seed) & 255) << 16 |
                     static_cast<uint32_t>((y * 255 / height) & 255) << 8 |
                     static_cast<uint32_t>((((x / 3) ^ (y / 3)) & 1) ? 200 : 40);
    }
    return frame;
}

QImage painted(LiveViewPainter& painter, const Frame& frame, const ViewFit& fit,
               double devicePixelRatio = 1.0) {
    QImage target(QSize(kWidgetW, kWidgetH) * devicePixelRatio, QImage::Format_RGB32);
    target.setDevicePixelRatio(devicePixelRatio);
    QPainter p(&target);
    painter.paint(p, fit, 1.0, kWidgetW, kWidgetH, devicePixelRatio, {frame}, Qt::black);
    return target;
}

// The frame drawn as Qt's smooth scaling draws it in place, over the margin,
// with the transform the measurements are drawn with.
QImage drawnInPlace(const Frame& frame, const ViewFit& fit) {
    QImage target(kWidgetW, kWidgetH, QImage::Format_RGB32);
    target.fill(Qt::black);
    QPainter p(&target);
    p.translate(fit.left, fit.top);
    p.scale(fit.scale, fit.scale);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(
        QRectF(0.0, 0.0, fit.logical.width, fit.logical.height),
        QImage(frame.data.get(), frame.width, frame.height, frame.stride, QImage::Format_RGB32));
    return target;
}

int largestChannelDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* ra = a.constScanLine(y);
        const uchar* rb = b.constScanLine(y);
        for (int x = 0; x < a.width() * 4; ++x)
            largest = std::max(largest, std::abs(ra[x] - rb[x]));
    }
    return largest;
}

double meanChannelDifference(const QImage& a, const QImage& b) {
    double sum = 0.0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* ra = a.constScanLine(y);
        const uchar* rb = b.constScanLine(y);
        for (int x = 0; x < a.width() * 4; ++x) sum += std::abs(ra[x] - rb[x]);
    }
    return sum / (static_cast<double>(a.width()) * a.height() * 4.0);
}

// The darkest green level within two pixels of (x, y).
int darkestNear(const QImage& image, double x, double y) {
    int darkest = 255;
    const int row = static_cast<int>(y);
    for (int c = static_cast<int>(x) - 2; c <= static_cast<int>(x) + 2; ++c)
        darkest = std::min(darkest, qGreen(image.pixel(c, row)));
    return darkest;
}

}  // namespace

TEST(LiveViewPainter, FrameLooksLikeSmoothScalingInPlace) {
    // The micrometer as the live view gets it (halved) and at full size.
    for (const int width : {1296, 2592}) {
        SCOPED_TRACE(width);
        const int height = width * 3 / 4;
        const Frame slide = camsim::renderMicrometerSlide(width, height, 0, 5);
        const ViewFit fit = fitView({950.0, 712.5}, kWidgetW, kWidgetH);
        LiveViewPainter painter;
        const QImage shown = painted(painter, slide, fit);
        const QImage smooth = drawnInPlace(slide, fit);
        EXPECT_LE(meanChannelDifference(shown, smooth), 2.0);
        // Every tick of the scale keeps at least half the contrast Qt draws it
        // with, the short one-pixel ones too (their darkness follows the phase).
        const camsim::ScaleGeometry g = camsim::scaleGeometry(width, height);
        const double perPixel = fit.scale * fit.logical.width / width;
        const double y = fit.top + (g.baselineY - g.majorLength / 5) * perPixel;
        for (int i = 0; i <= 100; ++i) {
            const double x = fit.left + (g.firstTickX + i * g.spacing + 0.5) * perPixel;
            const int between =
                qGreen(shown.pixel(static_cast<int>(x + g.spacing * perPixel / 2), int(y)));
            EXPECT_GE(between - darkestNear(shown, x, y), (between - darkestNear(smooth, x, y)) / 2)
                << "tick " << i;
        }
    }
}

TEST(LiveViewPainter, KeptPictureShowsUnchanged) {
    const Frame frame = patternFrame(1296, 972, 0);
    const ViewFit fit = fitView({950.0, 712.5}, kWidgetW, kWidgetH);
    LiveViewPainter painter;
    const QImage first = painted(painter, frame, fit);
    // Repaints without a new frame show the kept picture, unchanged.
    EXPECT_EQ(painted(painter, frame, fit), first);
    EXPECT_EQ(painted(painter, frame, fit), first);
    // On a display of two device pixels per unit too.
    LiveViewPainter hiDpi;
    const QImage sharp = painted(hiDpi, frame, fit, 2.0);
    EXPECT_LE(largestChannelDifference(painted(hiDpi, frame, fit, 2.0), sharp), 1);
}

TEST(LiveViewPainter, NewFrameOrPlacementReplacesKeptPicture) {
    const Frame first = patternFrame(1296, 972, 0);
    const Frame second = patternFrame(1296, 972, 128);
    const ViewFit fit = fitView({950.0, 712.5}, kWidgetW, kWidgetH);
    LiveViewPainter painter;
    // Each frame painted twice: drawn in place, then from the kept picture.
    (void)painted(painter, first, fit);
    (void)painted(painter, first, fit);
    (void)painted(painter, second, fit);
    EXPECT_LE(meanChannelDifference(painted(painter, second, fit), drawnInPlace(second, fit)), 2.0);
    const ViewFit smaller = fitView({950.0, 712.5}, kWidgetW - 301, kWidgetH - 77);
    (void)painted(painter, second, smaller);
    EXPECT_LE(
        meanChannelDifference(painted(painter, second, smaller), drawnInPlace(second, smaller)),
        2.0);
}
