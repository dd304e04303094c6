#include "app/SoundPlayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace lumetra {

void SoundEffectPlayer::play(const SoundResource& sound) {
    const QString path = QString::fromStdString(sound.path);
    auto it = effects_.find(path);
    if (it == effects_.end()) {
        if (path.isEmpty() || !QFileInfo(path).isFile()) return;
        auto* effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(path));
        it = effects_.emplace(path, effect).first;
    }
    // A sound still loading starts as soon as it is ready.
    it->second->play();
}

}  // namespace lumetra
