#pragma once
// The drawing surface on a QPainter: any paint device (the measuring view
// widget, a QImage for snapshots). The surface's coordinates are y-up with the
// origin at the lower-left corner; they are flipped onto the painter's y-down
// space with the device's logical height.

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QStaticText>
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "measure/DrawingSurface.h"

namespace lumetra {

// Laid-out texts kept between frames: laying out a label costs far more than
// drawing it, and labels rarely change from one frame to the next. Bounded: it
// starts afresh when full.
class StaticTextCache {
public:
    // A font with the metrics that place text by the lower-left corner of its box.
    struct Font {
        QFont font;
        double ascent = 0.0;
        double descent = 0.0;
    };

    explicit StaticTextCache(size_t capacity = 1024) : capacity_(capacity) {}

    const Font& font(const std::string& family, int pixelSize);
    const QStaticText& text(const std::string& utf8, const std::string& family, int pixelSize,
                            const QFont& font);
    size_t size() const { return texts_.size(); }

private:
    size_t capacity_;
    std::unordered_map<std::string, Font> fonts_;
    std::unordered_map<std::string, QStaticText> texts_;
};

class QPainterSurface : public DrawingSurface {
public:
    // Draws through painter onto a device whose logical height is `height`.
    // Texts are laid out through `textCache` when given (keep one per widget
    // so it lives across frames), otherwise through a cache of this surface.
    QPainterSurface(QPainter& painter, double height, StaticTextCache* textCache = nullptr);

    void beginPath() override;
    void moveTo(Point p) override;
    void lineTo(Point p) override;
    void addCircle(Point centre, double radius) override;
    void closePath() override;
    void stroke() override;
    void setLineWidth(double width) override;
    void setStrokeColor(RgbColor color) override;
    void fillRect(RectF rect, RgbColor color, double opacity) override;
    void drawText(const std::string& utf8, Point origin, const std::string& fontFamily,
                  double fontSize, RgbColor color) override;
    void drawImage(const Frame& frame, RectF rect) override;
    void save() override;
    void restore() override;

    // Draws an image (already in the painter's orientation) over rect, blended
    // over what is there; used for layers cached between frames.
    void drawLayer(const QImage& image, RectF rect);

    static QColor toQColor(RgbColor color);

private:
    struct State {
        QPainterPath path;
        bool pieceOpen;
        QPen pen;
    };

    // False when rect (in the painter's coordinates) lies wholly outside the device.
    bool onDevice(const QRectF& rect) const;
    QPointF map(Point p) const { return {p.x, height_ - p.y}; }
    QRectF map(RectF r) const { return {r.x, height_ - r.y - r.height, r.width, r.height}; }

    QPainter& painter_;
    double height_;
    StaticTextCache ownCache_{64};
    StaticTextCache& texts_;
    QPainterPath path_;
    bool pieceOpen_ = false;  // a lineTo continues the current piece
    QPen pen_;
    std::vector<State> stack_;
};

}  // namespace lumetra
