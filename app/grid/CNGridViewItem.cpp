#include "app/grid/CNGridViewItem.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace lumetra {
namespace {

constexpr double kTitleBandHeight = 14;

}  // namespace

CNGridViewItem::CNGridViewItem(const CNGridViewItemLayout& layout, QString reuseIdentifier)
    : reuseIdentifier_(std::move(reuseIdentifier)),
      defaultLayout_(layout),
      hoverLayout_(layout),
      selectionLayout_(layout) {
    setAttribute(Qt::WA_TransparentForMouseEvents);  // the grid hit-tests itself
    setAttribute(Qt::WA_NoSystemBackground);
}

void CNGridViewItem::setItemImage(const QImage& image) {
    itemImage_ = image;
    scaled_ = QPixmap();
    update();
}

void CNGridViewItem::setItemTitle(const QString& title) {
    if (title == itemTitle_) return;
    itemTitle_ = title;
    update();
}

void CNGridViewItem::setSelected(bool selected) {
    selected_ = selected;
    use(selected_ ? &selectionLayout_ : &defaultLayout_);
}

void CNGridViewItem::setHovered(bool hovered) {
    hovered_ = hovered;
    use(hovered_ ? &hoverLayout_ : selected_ ? &selectionLayout_ : &defaultLayout_);
}

void CNGridViewItem::setUseSelectionRing(bool use) {
    if (use == useSelectionRing_) return;
    useSelectionRing_ = use;
    update();
}

void CNGridViewItem::setDefaultLayout(const CNGridViewItemLayout& layout) {
    defaultLayout_ = layout;
    update();
}

void CNGridViewItem::setHoverLayout(const CNGridViewItemLayout& layout) {
    hoverLayout_ = layout;
    update();
}

void CNGridViewItem::setSelectionLayout(const CNGridViewItemLayout& layout) {
    selectionLayout_ = layout;
    update();
}

void CNGridViewItem::prepareForReuse() {
    index_.reset();
    selected_ = false;
    hovered_ = false;
    selectable_ = true;
    itemImage_ = QImage();
    scaled_ = QPixmap();
    itemTitle_.clear();
    use(&defaultLayout_);
}

void CNGridViewItem::use(const CNGridViewItemLayout* layout) {
    current_ = layout;
    update();
}

bool CNGridViewItem::showsTitle() const {
    return (current_->visibleContentMask & CNGridViewItemLayout::Title) && !itemTitle_.isEmpty();
}

QRectF CNGridViewItem::backgroundRect() const {
    const double inset = current_->contentInset;
    return QRectF(rect()).adjusted(inset, inset, -inset, -inset);
}

QRectF CNGridViewItem::imageRect() const {
    // Inside the ring, above the title band when a title shows.
    const double ring = current_->selectionRingLineWidth;
    QRectF area = backgroundRect().adjusted(ring, ring, -ring, -ring);
    if (showsTitle()) area.setBottom(area.bottom() - kTitleBandHeight);
    return area;
}

void CNGridViewItem::paintEvent(QPaintEvent*) {
    const CNGridViewItemLayout& layout = *current_;
    const QRectF background = backgroundRect();
    if (background.width() <= 0 || background.height() <= 0) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(background, layout.itemBorderRadius, layout.itemBorderRadius);
    painter.fillPath(shape, layout.backgroundColor);
    if (selected_ && useSelectionRing_ && layout.selectionRingLineWidth > 0) {
        const double half = layout.selectionRingLineWidth / 2;
        QPainterPath ring;
        ring.addRoundedRect(background.adjusted(half, half, -half, -half), layout.itemBorderRadius,
                            layout.itemBorderRadius);
        painter.strokePath(ring, QPen(layout.selectionRingColor, layout.selectionRingLineWidth));
    }

    const QRectF area = imageRect();
    if ((layout.visibleContentMask & CNGridViewItemLayout::Image) && !itemImage_.isNull() &&
        area.width() >= 1 && area.height() >= 1) {
        // Fitted once per image and place, so scrolling only blits.
        const qreal ratio = devicePixelRatioF();
        const QSize target = (area.size() * ratio).toSize();
        if (scaled_.isNull() || scaledFor_ != target) {
            scaled_ = QPixmap::fromImage(
                itemImage_.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation));
            scaled_.setDevicePixelRatio(ratio);
            scaledFor_ = target;
        }
        const QSizeF size = scaled_.deviceIndependentSize();
        painter.drawPixmap(QPointF(area.x() + (area.width() - size.width()) / 2,
                                   area.y() + (area.height() - size.height()) / 2),
                           scaled_);
    }
    if (showsTitle()) {
        const QRectF band(area.left(), area.bottom(), area.width(), kTitleBandHeight);
        painter.setFont(layout.titleFont);
        painter.setPen(layout.titleShadowColor);
        painter.drawText(band.translated(layout.titleShadowOffset), Qt::AlignCenter, itemTitle_);
        painter.setPen(layout.titleColor);
        painter.drawText(band, Qt::AlignCenter, itemTitle_);
    }
}

}  // namespace lumetra
