#pragma once
// The appearance of a grid cell: background, selection ring, rounding, which
// contents show and how the title is written. Cells hold three of them
// (default, hover, selection) and draw with the one in use.

#include <QColor>
#include <QFont>
#include <QPointF>

namespace lumetra {

struct CNGridViewItemLayout {
    enum Content : int { Image = 1, Title = 2 };

    QColor backgroundColor = QColor::fromRgbF(0, 0, 0, 0.05f);
    QColor selectionRingColor = QColor::fromRgbF(0.346f, 0.531f, 0.792f, 1);
    double selectionRingLineWidth = 3;
    double contentInset = 3;
    double itemBorderRadius = 5;
    int visibleContentMask = Image | Title;

    // Title text: font, colour and a shadow below it; always centred.
    QFont titleFont = QFont(QStringLiteral("Helvetica"), 12);
    QColor titleColor = QColor::fromRgbF(0.196f, 0.2f, 0.2f, 1);
    QColor titleShadowColor = QColor::fromRgbF(1, 1, 1, 0.8f);
    QPointF titleShadowOffset = QPointF(0, 1);  // one point down

    // A fresh appearance with the default values.
    static CNGridViewItemLayout defaultLayout() { return {}; }
};

// The three appearances the album grids share.
struct CNGridViewItemLayouts {
    CNGridViewItemLayout defaultLayout;
    CNGridViewItemLayout hoverLayout;
    CNGridViewItemLayout selectionLayout;
};

// The album cells: default unchanged, hover grey and selection light blue, both
// at opacity 0.42.
inline CNGridViewItemLayouts albumItemLayouts() {
    CNGridViewItemLayouts layouts;
    layouts.hoverLayout.backgroundColor = QColor::fromRgbF(0.5f, 0.5f, 0.5f, 0.42f);
    layouts.selectionLayout.backgroundColor = QColor::fromRgbF(0.542f, 0.699f, 0.807f, 0.42f);
    return layouts;
}

}  // namespace lumetra
