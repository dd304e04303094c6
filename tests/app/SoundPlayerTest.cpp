#include <gtest/gtest.h>

#include <QSoundEffect>
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
    player.play(shutter);  // the same effect again, loaded or still loading
    player.play({"Missing", "wav", "/nonexistent/Missing.wav"});
    player.play({});
    const auto effects = player.findChildren<QSoundEffect*>();
    ASSERT_EQ(effects.size(), 1) << "a missing file gets no effect";
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return effects[0]->status() != QSoundEffect::Loading; }, 60000));
    player.play(shutter);  // loaded or failed
}
