#include "app/QPainterSurface.h"

#include <QFontMetricsF>
#include <QImage>
#include <algorithm>
#include <cmath>

namespace lumetra {
namespace {

bool finite(Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

double unitComponent(double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0; }

std::string textKey(const std::string& family, int pixelSize, const std::string& utf8) {
    std::string key = family;
    key += '\0';
    key += std::to_string(pixelSize);
    key += '\0';
    key += utf8;
    return key;
}

}  // namespace

const StaticTextCache::Font& StaticTextCache::font(const std::string& family, int pixelSize) {
    const std::string key = textKey(family, pixelSize, {});
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    if (fonts_.size() >= capacity_) fonts_.clear();
    Font f;
    f.font = QFont(QString::fromStdString(family));
    f.font.setPixelSize(pixelSize);
    const QFontMetricsF metrics(f.font);
    f.ascent = metrics.ascent();
    f.descent = metrics.descent();
    return fonts_.emplace(key, std::move(f)).first->second;
}

const QStaticText& StaticTextCache::text(const std::string& utf8, const std::string& family,
                                         int pixelSize, const QFont& font) {
    std::string key = textKey(family, pixelSize, utf8);
    auto it = texts_.find(key);
    if (it != texts_.end()) return it->second;
    if (texts_.size() >= capacity_) texts_.clear();
    QStaticText text(QString::fromStdString(utf8));
    text.setTextFormat(Qt::PlainText);
    text.setPerformanceHint(QStaticText::AggressiveCaching);
    text.prepare(QTransform(), font);
    return texts_.emplace(std::move(key), std::move(text)).first->second;
}

QPainterSurface::QPainterSurface(QPainter& painter, double height, StaticTextCache* textCache)
    : painter_(painter), height_(height), texts_(textCache ? *textCache : ownCache_) {
    pen_.setCapStyle(Qt::FlatCap);
    pen_.setJoinStyle(Qt::MiterJoin);
    pen_.setWidthF(1.0);
    pen_.setColor(Qt::black);
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

QColor QPainterSurface::toQColor(RgbColor color) {
    return QColor::fromRgbF(static_cast<float>(unitComponent(color.red)),
                            static_cast<float>(unitComponent(color.green)),
                            static_cast<float>(unitComponent(color.blue)), 1.0f);
}

void QPainterSurface::beginPath() {
    path_.clear();
    pieceOpen_ = false;
}

// Points that are not finite numbers break the current piece instead of
// reaching the painter, which would reject them with a warning per frame.
void QPainterSurface::moveTo(Point p) {
    pieceOpen_ = finite(p);
    if (pieceOpen_) path_.moveTo(map(p));
}

void QPainterSurface::lineTo(Point p) {
    if (!finite(p)) {
        pieceOpen_ = false;
        return;
    }
    if (pieceOpen_)
        path_.lineTo(map(p));
    else
        path_.moveTo(map(p));
    pieceOpen_ = true;
}

void QPainterSurface::addCircle(Point centre, double radius) {
    pieceOpen_ = false;
    if (!finite(centre) || !std::isfinite(radius) || radius < 0.0) return;
    path_.addEllipse(map(centre), radius, radius);
}

void QPainterSurface::closePath() {
    path_.closeSubpath();
    pieceOpen_ = false;
}

void QPainterSurface::stroke() {
    if (!path_.isEmpty()) {
        // Joins reach at most the miter limit times half the width beyond the points.
        const double reach = pen_.widthF() * std::max(1.0, pen_.miterLimit());
        if (onDevice(path_.controlPointRect().adjusted(-reach, -reach, reach, reach)))
            painter_.strokePath(path_, pen_);
    }
    beginPath();
}

bool QPainterSurface::onDevice(const QRectF& rect) const {
    // What lies wholly outside the device or the clip (a band of a snapshot) costs
    // nothing. One pixel more on each side for antialiasing.
    const QTransform& transform = painter_.transform();
    const QRectF device = transform.mapRect(rect).adjusted(-1.0, -1.0, 1.0, 1.0);
    const QPaintDevice* target = painter_.device();
    if (!target) return true;
    QRectF visible(0.0, 0.0, target->width(), target->height());
    if (painter_.hasClipping()) visible &= transform.mapRect(painter_.clipBoundingRect());
    return device.intersects(visible);
}

void QPainterSurface::setLineWidth(double width) {
    pen_.setWidthF(std::isfinite(width) && width > 0.0 ? width : 0.0);
}

void QPainterSurface::setStrokeColor(RgbColor color) { pen_.setColor(toQColor(color)); }

void QPainterSurface::fillRect(RectF rect, RgbColor color, double opacity) {
    QColor fill = toQColor(color);
    fill.setAlphaF(static_cast<float>(std::clamp(opacity, 0.0, 1.0)));
    painter_.fillRect(map(rect), fill);
}

void QPainterSurface::drawText(const std::string& utf8, Point origin, const std::string& fontFamily,
                               double fontSize, RgbColor color) {
    if (utf8.empty() || !finite(origin) || !std::isfinite(fontSize) || fontSize < 0.5) return;
    const int pixelSize = static_cast<int>(std::lround(std::min(fontSize, 4096.0)));
    const StaticTextCache::Font& font = texts_.font(fontFamily, pixelSize);
    const QStaticText& text = texts_.text(utf8, fontFamily, pixelSize, font.font);
    // The origin is the lower-left corner of the text's box: the baseline lies
    // one descent above it, the top one ascent above the baseline.
    const QPointF bottomLeft = map(origin);
    const QPointF topLeft(bottomLeft.x(), bottomLeft.y() - font.descent - font.ascent);
    if (!onDevice(QRectF(topLeft, text.size()))) return;
    if (painter_.font() != font.font) painter_.setFont(font.font);
    painter_.setPen(toQColor(color));
    painter_.drawStaticText(topLeft, text);
}

void QPainterSurface::drawImage(const Frame& frame, RectF rect) {
    if (frame.isNull() || frame.stride < frame.width * 4) return;
    // BGRA bytes are 0xAARRGGBB words on a little-endian machine; RGB32 ignores
    // the alpha byte, so the frame is opaque and wrapped without a copy.
    const QImage image(frame.data.get(), frame.width, frame.height, frame.stride,
                       QImage::Format_RGB32);
    const QPainter::CompositionMode mode = painter_.compositionMode();
    const bool smooth = painter_.testRenderHint(QPainter::SmoothPixmapTransform);
    painter_.setCompositionMode(QPainter::CompositionMode_Source);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter_.drawImage(map(rect), image);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    painter_.setCompositionMode(mode);
}

void QPainterSurface::drawLayer(const QImage& image, RectF rect) {
    if (image.isNull()) return;
    // The world transform, not the device transform: a widget's painter also
    // carries the widget's offset in its window, which must not be applied twice.
    const QRectF target = painter_.worldTransform().mapRect(map(rect));
    const bool atDeviceSize = painter_.worldTransform().type() <= QTransform::TxScale &&
                              std::abs(target.width() - image.width()) < 1.0 &&
                              std::abs(target.height() - image.height()) < 1.0;
    if (atDeviceSize && painter_.device()->devicePixelRatio() == 1.0) {
        // Rendered at the device's resolution already: a plain blit at whole
        // pixels, far cheaper than the scaling path of a transformed painter.
        painter_.save();
        painter_.resetTransform();
        painter_.drawImage(target.topLeft().toPoint(), image);
        painter_.restore();
        return;
    }
    painter_.drawImage(map(rect), image);
}

void QPainterSurface::save() { stack_.push_back({path_, pieceOpen_, pen_}); }

void QPainterSurface::restore() {
    if (stack_.empty()) return;
    path_ = std::move(stack_.back().path);
    pieceOpen_ = stack_.back().pieceOpen;
    pen_ = std::move(stack_.back().pen);
    stack_.pop_back();
}

}  // namespace lumetra
