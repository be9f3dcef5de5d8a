// Short sounds played by bare file name (for example "pop.wav"), without
// waiting: a new sound stops the one still playing. A missing file gives the
// system's beep instead; nothing waits for or looks at the outcome.
#pragma once

#include <QString>

namespace tavo {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& bare_name) = 0;
};

} // namespace tavo
