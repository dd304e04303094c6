#include <gtest/gtest.h>

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
