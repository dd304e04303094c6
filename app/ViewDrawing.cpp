#include "app/ViewDrawing.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include "measure/ShapeEditing.h"

namespace lumetra {
namespace {

// Half the side of a handle's square, in screen pixels.
constexpr double kHandleHalf = 4.0;

// A rounded badge with `text` in white on `colour`, its top corner 10 pixels
// inside `corner` of `shown` (top left or top right).
void drawBadge(QPainter& painter, const QFont& widgetFont, const QRectF& shown, Qt::Corner corner,
               const QString& text, const QColor& colour) {
    QFont badgeFont = widgetFont;
    badgeFont.setPointSizeF(10);
    badgeFont.setWeight(QFont::DemiBold);
    painter.setFont(badgeFont);
    const double width = QFontMetricsF(badgeFont).horizontalAdvance(text) + 20;
    const double left =
        corner == Qt::TopLeftCorner ? shown.left() + 10 : shown.right() - 10 - width;
    const QRectF box(left, shown.top() + 10, width, 24);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(box, 6, 6);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

void drawPlaceholder(QPainter& painter, const QRectF& area, const QFont& font) {
    QLinearGradient background(0, area.top(), 0, area.bottom());
    background.setColorAt(0.0, QColor(0x11, 0x14, 0x18));
    background.setColorAt(1.0, QColor(0x0a, 0x0c, 0x0f));
    painter.fillRect(area, background);
    painter.setPen(QColor(0x25, 0x2a, 0x31));
    painter.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = area.center();
    painter.setPen(QPen(QColor(0x2a, 0x30, 0x39), 2));
    painter.drawEllipse(centre, 58, 58);
    painter.drawEllipse(centre, 34, 34);
    painter.drawLine(centre - QPointF(80, 0), centre - QPointF(62, 0));
    painter.drawLine(centre + QPointF(62, 0), centre + QPointF(80, 0));
    painter.drawLine(centre - QPointF(0, 80), centre - QPointF(0, 62));
    painter.drawLine(centre + QPointF(0, 62), centre + QPointF(0, 80));
    QFont title = font;
    title.setPointSizeF(15);
    title.setWeight(QFont::DemiBold);
    painter.setFont(title);
    painter.setPen(QColor(0xc9, 0xcf, 0xd8));
    painter.drawText(QRectF(area.left(), centre.y() + 96, area.width(), 30), Qt::AlignCenter,
                     QCoreApplication::translate("ViewDrawing", "No microscope connected"));
    QFont detail = font;
    detail.setPointSizeF(11);
    painter.setFont(detail);
    painter.setPen(QColor(0x7d, 0x86, 0x93));
    painter.drawText(
        QRectF(area.left(), centre.y() + 126, area.width(), 24), Qt::AlignCenter,
        QCoreApplication::translate("ViewDrawing",
                                    "Connect a USB or WiFi microscope to see the live picture"));
}

void drawHandles(QPainter& painter, const ViewFit& f, const std::vector<RQShape>& shapes,
                 int hovered, int chosen) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    for (int index : {hovered, chosen}) {
        if (index < 0 || static_cast<size_t>(index) >= shapes.size()) continue;
        const RQShape& shape = shapes[static_cast<size_t>(index)];
        for (int slot : handleSlots(shape)) {
            const QPointF centre(f.pixelX(shape.pt(slot).x), f.pixelY(shape.pt(slot).y));
            painter.drawRect(QRectF(centre.x() - kHandleHalf, centre.y() - kHandleHalf,
                                    2 * kHandleHalf, 2 * kHandleHalf));
        }
    }
}

QRectF shownPicture(const ViewFit& f, const QRectF& widget) {
    return QRectF(f.left, f.top, f.logical.width * f.scale, f.logical.height * f.scale) & widget;
}

void drawFrozenBadge(QPainter& painter, const QFont& font, const QRectF& shown) {
    drawBadge(painter, font, shown, Qt::TopLeftCorner,
              QCoreApplication::translate("ViewDrawing", "FROZEN"), QColor(0x2f, 0x7f, 0xe0, 220));
}

void drawZoomBadge(QPainter& painter, const QFont& font, const QRectF& shown, double factor) {
    drawBadge(painter, font, shown, Qt::TopRightCorner,
              QStringLiteral("%1\u00d7").arg(factor, 0, 'f', 1), QColor(0x20, 0x24, 0x2a, 200));
}

}  // namespace lumetra
