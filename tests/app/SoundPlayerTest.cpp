#include <gtest/gtest.h>

#include <QTest>

#include "app/SoundPlayer.h"

using namespace lumetra;

// The test machine has no audio output: every call must return at once and
// the event loop must go on, whatever Qt Multimedia makes of it.
TEST(SoundEffectPlayer, PlaysOrSkipsWithoutBlocking) {
    SoundEffectPlayer player;
    const SoundResource shutter{"TakePicture", "wav",
                                LUMETRA_RESOURCE_DIR "/sounds/TakePicture.wav"};
    player.play(shutter);
    player.play(shutter);  // the same player again, loaded or still loading
    player.play({"Missing", "wav", "/nonexistent/Missing.wav"});
    player.play({});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !player.loading(); }));
    player.play(shutter);  // loaded or failed
}
