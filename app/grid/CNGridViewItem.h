#pragma once
// One cell of the thumbnail grid: a picture with an optional title on a
// rounded background, drawn with the appearance its hover and selection state
// picks. Cells are recycled: the grid pools cells that scroll out of sight and
// the data source takes them back by reuse identifier.

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <optional>

#include "app/grid/CNGridViewItemLayout.h"

namespace lumetra {

class CNGridViewItem : public QWidget {
    Q_OBJECT
public:
    static inline const QString kDefaultReuseIdentifier = QStringLiteral("CNGridViewItem");
    static QSize defaultItemSize() { return QSize(310, 225); }

    explicit CNGridViewItem(
        const CNGridViewItemLayout& layout = CNGridViewItemLayout::defaultLayout(),
        QString reuseIdentifier = kDefaultReuseIdentifier);

    const QImage& itemImage() const { return itemImage_; }
    void setItemImage(const QImage& image);
    const QString& itemTitle() const { return itemTitle_; }
    void setItemTitle(const QString& title);

    // The index shown; none while the cell is pooled.
    std::optional<int> index() const { return index_; }
    void setIndex(std::optional<int> index) { index_ = index; }
    const QString& reuseIdentifier() const { return reuseIdentifier_; }

    bool selected() const { return selected_; }
    void setSelected(bool selected);
    bool selectable() const { return selectable_; }
    void setSelectable(bool selectable) { selectable_ = selectable; }
    bool hovered() const { return hovered_; }
    void setHovered(bool hovered);
    void setUseSelectionRing(bool use);

    void setDefaultLayout(const CNGridViewItemLayout& layout);
    void setHoverLayout(const CNGridViewItemLayout& layout);
    void setSelectionLayout(const CNGridViewItemLayout& layout);
    const CNGridViewItemLayout& currentLayout() const { return *current_; }

    // Back to a blank cell: no index, selection, hover, image or title; selectable.
    void prepareForReuse();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void use(const CNGridViewItemLayout* layout);
    QRectF backgroundRect() const;
    QRectF imageRect() const;
    bool showsTitle() const;

    QImage itemImage_;
    QPixmap scaled_;  // the image fitted to scaledFor_ (device pixels) when drawn
    QSize scaledFor_;
    QString itemTitle_;
    std::optional<int> index_;
    QString reuseIdentifier_;
    bool selected_ = false;
    bool selectable_ = true;
    bool hovered_ = false;
    bool useSelectionRing_ = true;
    CNGridViewItemLayout defaultLayout_;
    CNGridViewItemLayout hoverLayout_;
    CNGridViewItemLayout selectionLayout_;
    const CNGridViewItemLayout* current_ = &defaultLayout_;
};

}  // namespace lumetra
