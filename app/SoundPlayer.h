#pragma once
// Short feedback sounds (the shutter, the start and stop of a recording) from
// the application's resources.

#include <QObject>
#include <QString>
#include <map>

#include "storage/RQGlobalVariables.h"

class QSoundEffect;

namespace lumetra {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the sound and returns at once; a sound that cannot be played is skipped.
    virtual void play(const SoundResource& sound) = 0;
};

// Plays through Qt Multimedia. Each sound's effect is made on its first use, as a
// child of the player, and kept for the next. A missing file plays nothing; so does a
// machine without an audio output, where Qt reports the failure and the call still
// returns at once.
class SoundEffectPlayer : public QObject, public SoundPlayer {
public:
    void play(const SoundResource& sound) override;

private:
    std::map<QString, QSoundEffect*> effects_;  // by file path; children of this
};

}  // namespace lumetra
