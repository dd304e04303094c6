#include <gtest/gtest.h>

#include <QScrollArea>

#include "AppTestSupport.h"
#include "app/Translations.h"
#include "app/panels/CameraPanel.h"
#include "app/panels/CaptureBar.h"
#include "app/panels/MeasureBar.h"
#include "measure/Types.h"

namespace lumetra::test {
namespace {

TEST(Translations, GermanWindowReadsGerman) {
    const Translations german(QLocale(QLocale::German, QLocale::Germany),
                              QStringLiteral(LUMETRA_TRANSLATION_DIR));
    german.install();
    WindowHarness h;
    h.connectCamera();
    h.frame();
    EXPECT_EQ(h.ui().capture.btSnapshot->toolTip(), "Einen Schnappschuss aufnehmen");
    EXPECT_EQ(h.ui().camera.of(CameraKind::Picture).connect->text(), "Öffnen");
    h.ui().measure.toolButton(kModeLine)->click();
    EXPECT_EQ(h.alerts->alerts, QStringList{"Bitte kalibrieren Sie zuerst"});
    // The longer German texts still fit the side panel at the window's smallest size.
    h.window->resize(h.window->minimumSize());
    ASSERT_TRUE(h.activate());
    const auto* panel = h.window->findChild<QScrollArea*>("sideScroll");
    ASSERT_NE(panel, nullptr);
    EXPECT_LE(panel->widget()->minimumSizeHint().width(), panel->viewport()->width());
}

TEST(Translations, UntranslatedLanguageLoadsNothing) {
    EXPECT_EQ(Translations(QLocale::c(), QStringLiteral(LUMETRA_TRANSLATION_DIR)).loaded(), 0u);
}

}  // namespace
}  // namespace lumetra::test
