#pragma once
// Short feedback sounds (the shutter, the start and stop of a recording) from
// the application's resources.

#include <QString>
#include <map>
#include <memory>

#include "storage/RQGlobalVariables.h"

class QSoundEffect;

namespace lumetra {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the sound and returns at once; a sound that cannot be played is skipped.
    virtual void play(const SoundResource& sound) = 0;
};

// Plays through Qt Multimedia. Each sound's player is made on its first use and
// kept for the next. A missing file plays nothing; so does a machine without an
// audio output, where Qt reports the failure and the call still returns at once.
class SoundEffectPlayer : public SoundPlayer {
public:
    SoundEffectPlayer();
    ~SoundEffectPlayer() override;

    void play(const SoundResource& sound) override;

    // True while a sound's file is still being read.
    bool loading() const;

private:
    std::map<QString, std::unique_ptr<QSoundEffect>> effects_;  // by file path
};

}  // namespace lumetra
