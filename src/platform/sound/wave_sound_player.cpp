#include "wave_sound_player.h"

#include "data_files.h"

#include <QApplication>
#include <QSoundEffect>
#include <QUrl>

namespace tavo {

WaveSoundPlayer::WaveSoundPlayer() = default;
WaveSoundPlayer::~WaveSoundPlayer() = default;

void WaveSoundPlayer::preload(const QStringList& bare_names) {
    for (const QString& name : bare_names) {
        effect_for(name);
    }
}

QSoundEffect* WaveSoundPlayer::effect_for(const QString& bare_name) {
    const auto known = m_effects.constFind(bare_name);
    if (known != m_effects.cend()) {
        return known.value();
    }
    const QString path = find_data_file(bare_name);
    QSoundEffect* effect = nullptr;
    if (!path.isEmpty()) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(path));
    }
    m_effects.insert(bare_name, effect);
    return effect;
}

void WaveSoundPlayer::play(const QString& bare_name) {
    QSoundEffect* effect = effect_for(bare_name);
    if (m_playing && m_playing != effect) {
        m_playing->stop();
    }
    m_playing = effect;
    if (!effect || effect->status() == QSoundEffect::Error) {
        QApplication::beep();
        return;
    }
    effect->play();
}

} // namespace tavo
