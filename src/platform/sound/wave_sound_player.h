// Plays the shipped wave files by bare name through the desktop's audio, each
// loaded once and kept ready so that a cue's sound starts at once.
#pragma once

#include "sound_player.h"

#include <QHash>
#include <QObject>

class QSoundEffect;

namespace tavo {

class WaveSoundPlayer final : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    WaveSoundPlayer();
    ~WaveSoundPlayer() override;

    // Loads the sounds ahead of their first use.
    void preload(const QStringList& bare_names);
    void play(const QString& bare_name) override;

private:
    QSoundEffect* effect_for(const QString& bare_name);

    QHash<QString, QSoundEffect*> m_effects;
    QSoundEffect* m_playing = nullptr;
};

} // namespace tavo
