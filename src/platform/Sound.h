#pragma once

#include <QString>
#include <chrono>

// Plays a sound file asynchronously; each start cuts the one before.
class Sound {
public:
    virtual ~Sound() = default;
    virtual void play(const QString& file) = 0;
    // Ends all playing, waiting at most `bound`; false when the audio system did not answer in time.
    virtual bool shutDown(std::chrono::milliseconds /*bound*/) { return true; }
};
