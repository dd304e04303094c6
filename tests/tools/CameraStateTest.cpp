#include <gtest/gtest.h>

#include "tools/camsim/CameraState.h"

using namespace lumetra::camsim;

TEST(CameraStateResolutions, WizardListsAnEntryItDoesNotOfferTheCgiCameraDoesNot) {
    const CameraState wizard(CameraKind::Wizard);
    const CameraState cgi(CameraKind::Cgi);
    int notOffered = 0;
    for (const auto& r : wizard.resolutions()) notOffered += r.offered ? 0 : 1;
    EXPECT_EQ(notOffered, 1);
    for (const auto& r : cgi.resolutions()) EXPECT_TRUE(r.offered);
    EXPECT_EQ(wizard.resolution().width, 640);
    EXPECT_EQ(cgi.resolution().height, 480);
}

TEST(CameraStateResolutions, CommandSelectsOnlyOfferedEntriesInTheList) {
    CameraState s(CameraKind::Wizard);
    size_t hidden = 0;
    while (s.resolutions()[hidden].offered) ++hidden;
    const size_t before = s.resolutionIndex();
    EXPECT_FALSE(s.selectResolutionIndex(static_cast<int64_t>(hidden)));
    EXPECT_FALSE(s.selectResolutionIndex(-1));
    EXPECT_FALSE(s.selectResolutionIndex(static_cast<int64_t>(s.resolutions().size())));
    EXPECT_EQ(s.resolutionIndex(), before);
    EXPECT_TRUE(s.selectResolutionIndex(0));
    EXPECT_EQ(s.resolution().width, 320);
    EXPECT_TRUE(s.selectResolution(1280, 960));
    EXPECT_FALSE(s.selectResolution(1000, 1000));
}

TEST(CameraStateFrameRate, EachKindAcceptsItsOwnRates) {
    CameraState wizard(CameraKind::Wizard);
    EXPECT_TRUE(wizard.commandFps(1));
    EXPECT_TRUE(wizard.commandFps(17));
    EXPECT_FALSE(wizard.commandFps(0));
    EXPECT_FALSE(wizard.commandFps(31));
    EXPECT_EQ(wizard.fps(), 17);

    CameraState cgi(CameraKind::Cgi);
    for (int fps : {30, 25, 20, 15, 10, 5}) EXPECT_TRUE(cgi.commandFps(fps)) << fps;
    EXPECT_FALSE(cgi.commandFps(12));
    EXPECT_EQ(cgi.fps(), 5);
}

TEST(CameraStateControls, ValuesAreClampedAndUnknownNumbersRefused) {
    CameraState s(CameraKind::Cgi);
    EXPECT_TRUE(s.setControl(1, 1000));
    EXPECT_EQ(s.controls()[0].value, 255);
    EXPECT_TRUE(s.setControl(1, -5));
    EXPECT_EQ(s.controls()[0].value, 0);
    EXPECT_FALSE(s.setControl(7, 10));
    EXPECT_EQ(s.roleOf(12), ControlRole::Gamma);
    EXPECT_FALSE(s.roleOf(3));
}

TEST(CameraStateControls, AdjustmentsRunFromMinusOneAtTheMinimumToOneAtTheMaximum) {
    CameraState s(CameraKind::Wizard);
    EXPECT_TRUE(s.adjustments().neutral());
    s.setControl(9963776, 64);  // brightness at its maximum
    s.setControl(9963777, 0);   // contrast at its minimum
    s.setControl(9963778, 96);  // saturation half-way up
    s.setControl(9963788, 0);   // an unrelated control changes nothing
    const Adjustments a = s.adjustments();
    EXPECT_DOUBLE_EQ(a.brightness, 1.0);
    EXPECT_DOUBLE_EQ(a.contrast, -1.0);
    EXPECT_DOUBLE_EQ(a.saturation, 0.5);
    EXPECT_DOUBLE_EQ(a.hue, 0.0);
}
