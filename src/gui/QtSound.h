#pragma once

#include "platform/Sound.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QThread;
class SoundWorker;
struct SoundQueue;

// A PCM wave file: its sample format and the samples.
struct Wave {
    QAudioFormat format;
    QByteArray samples;
};
// Reads a RIFF/WAVE file of 8-, 16- or 32-bit integer or 32-bit float PCM; nothing for anything else.
std::optional<Wave> readWave(const QByteArray& file);

// Where the audio thread sends a wave: Qt's audio output, or in a test one that never answers.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Cuts what plays and starts the wave. Runs on the audio thread, where it may block.
    virtual void play(const Wave& wave) = 0;
};

// The hit sound on a thread of its own. The window's thread only hands it the file name and never
// waits for it, so an audio system that does not answer (no device, a hung sound server) cannot hold
// up an evaluation or the end of the program: the sound is simply not heard.
class QtSound : public Sound {
public:
    using OutputFactory = std::function<std::unique_ptr<AudioOutput>()>;
    static constexpr std::chrono::milliseconds DefaultShutDownBound{1000};

    // The output is made on the audio thread at the first sound; by default Qt's audio sink. A relative
    // file name is looked for in the current folder first, then in the fallback folders (an installed
    // program keeps its sound with its other data).
    explicit QtSound(OutputFactory makeOutput = {}, QStringList fallbackFolders = {});
    ~QtSound() override;
    void play(const QString& file) override;
    // A thread that does not end within the bound is left behind, never waited for again.
    bool shutDown(std::chrono::milliseconds bound) override;

private:
    OutputFactory makeOutput_;
    QStringList fallbackFolders_;
    // Shared with the audio thread, which may outlive this object when it is left behind.
    std::shared_ptr<SoundQueue> queue_;
    QThread* thread_ = nullptr;
    SoundWorker* worker_ = nullptr;
    bool shutDown_ = false;
};
