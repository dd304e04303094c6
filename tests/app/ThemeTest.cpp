#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <algorithm>
#include <cstdlib>

#include "app/Theme.h"

using namespace lumetra;

TEST(Theme, FollowsTheSchemeAndTheStyleSheetTakesEveryColourFromThePalette) {
    for (bool dark : {true, false}) {
        const QPalette palette = themePalette(dark);
        EXPECT_EQ(isDarkPalette(palette), dark);
        const QString sheet = themeStyleSheet(palette);
        EXPECT_FALSE(sheet.contains(QLatin1Char('@'))) << "every slot filled";
        EXPECT_TRUE(sheet.contains(palette.color(QPalette::Window).name()));
    }
}

// A box's indicator must stand out from the panel behind it in both schemes, and a
// ticked box must look different from an unticked one.
TEST(Theme, CheckBoxIndicatorIsVisibleTickedOrNot) {
    for (bool dark : {true, false}) {
        SCOPED_TRACE(dark ? "dark" : "light");
        const QPalette palette = themePalette(dark);
        QWidget panel;
        panel.setObjectName(QStringLiteral("panel"));
        panel.setPalette(palette);
        panel.setStyleSheet(themeStyleSheet(palette));
        auto* box = new QCheckBox(&panel);
        panel.resize(box->sizeHint());
        const QImage unticked = panel.grab().toImage();
        const int behind = unticked.pixelColor(0, 0).lightness();  // outside the indicator
        int strongest = 0;
        for (int y = 0; y < unticked.height(); ++y)
            for (int x = 0; x < unticked.width(); ++x)
                strongest =
                    std::max(strongest, std::abs(unticked.pixelColor(x, y).lightness() - behind));
        EXPECT_GE(strongest, 60);
        box->setChecked(true);
        EXPECT_NE(panel.grab().toImage(), unticked);
    }
}
