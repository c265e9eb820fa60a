#pragma once

#include <QString>
#include <memory>

class QSoundEffect;

// Plays a sound file asynchronously; each start cuts the one before.
class Sound {
public:
    virtual ~Sound() = default;
    virtual void play(const QString& file) = 0;
};

// QSoundEffect behind the port. A missing file or no audio device stays silent and never blocks.
class QtSound : public Sound {
public:
    QtSound();
    ~QtSound() override;
    void play(const QString& file) override;

private:
    std::unique_ptr<QSoundEffect> effect_;
};
