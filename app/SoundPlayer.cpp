#include "app/SoundPlayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>
#include <algorithm>

namespace lumetra {

SoundEffectPlayer::SoundEffectPlayer() = default;
SoundEffectPlayer::~SoundEffectPlayer() = default;

void SoundEffectPlayer::play(const SoundResource& sound) {
    const QString path = QString::fromStdString(sound.path);
    auto it = effects_.find(path);
    if (it == effects_.end()) {
        if (path.isEmpty() || !QFileInfo(path).isFile()) return;
        auto effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(path));
        it = effects_.emplace(path, std::move(effect)).first;
    }
    // A sound still loading starts as soon as it is ready.
    it->second->play();
}

bool SoundEffectPlayer::loading() const {
    return std::any_of(effects_.begin(), effects_.end(), [](const auto& entry) {
        return entry.second->status() == QSoundEffect::Loading;
    });
}

}  // namespace lumetra
