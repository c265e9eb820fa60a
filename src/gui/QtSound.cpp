#include "gui/QtSound.h"

#include <QAudioSink>
#include <QBuffer>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMutex>
#include <QThread>
#include <QtEndian>

// The name of the file to play next, handed from the window's thread to the audio thread. The mutex is
// held only for the hand-over, never while the audio system is called.
struct SoundQueue {
    QMutex mutex;
    QStringList next; // where the file may be, in order
    bool wakePending = false;
};

namespace {

// Qt's audio sink, pulling the samples from a buffer; a new wave cuts the one before.
class QtAudioOutput : public AudioOutput {
public:
    void play(const Wave& wave) override {
        sink_.reset();
        buffer_.close();
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) return;
        samples_ = wave.samples;
        buffer_.setBuffer(&samples_);
        if (!buffer_.open(QIODevice::ReadOnly)) return;
        sink_ = std::make_unique<QAudioSink>(device, wave.format);
        sink_->start(&buffer_);
    }

private:
    QByteArray samples_;
    QBuffer buffer_;
    std::unique_ptr<QAudioSink> sink_; // declared last: stops before its buffer goes
};

quint16 u16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
quint32 u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

std::optional<QAudioFormat> waveFormat(const QByteArray& file, qsizetype at, quint32 size) {
    if (size < 16) return std::nullopt;
    quint16 tag = u16(file, at);
    // WAVE_FORMAT_EXTENSIBLE names the real format in the first two bytes of its sub-format.
    if (tag == 0xFFFE && size >= 26) tag = u16(file, at + 24);
    const int channels = u16(file, at + 2);
    const int rate = static_cast<int>(u32(file, at + 4));
    const int bits = u16(file, at + 14);
    QAudioFormat format;
    if (tag == 1 && bits == 8)
        format.setSampleFormat(QAudioFormat::UInt8);
    else if (tag == 1 && bits == 16)
        format.setSampleFormat(QAudioFormat::Int16);
    else if (tag == 1 && bits == 32)
        format.setSampleFormat(QAudioFormat::Int32);
    else if (tag == 3 && bits == 32)
        format.setSampleFormat(QAudioFormat::Float);
    else
        return std::nullopt;
    if (channels < 1 || channels > 8 || rate < 1000 || rate > 384000) return std::nullopt;
    format.setChannelCount(channels);
    format.setSampleRate(rate);
    return format;
}

} // namespace

std::optional<Wave> readWave(const QByteArray& file) {
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE") return std::nullopt;
    std::optional<QAudioFormat> format;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const QByteArray id = file.mid(at, 4);
        const quint32 size = u32(file, at + 4);
        const qsizetype body = at + 8;
        const qsizetype available = file.size() - body;
        if (id == "fmt ") {
            if (size > available) return std::nullopt;
            format = waveFormat(file, body, size);
            if (!format) return std::nullopt;
        } else if (id == "data") {
            if (!format) return std::nullopt;
            // A cut-off file plays what it has.
            return Wave{*format, file.mid(body, std::min<qsizetype>(size, available))};
        }
        at = body + static_cast<qsizetype>(size) + (size & 1u);
    }
    return std::nullopt;
}

// Lives on the audio thread: reads the newest file asked for and hands it to the output.
class SoundWorker : public QObject {
public:
    SoundWorker(std::shared_ptr<SoundQueue> queue, QtSound::OutputFactory makeOutput)
        : queue_(std::move(queue)), makeOutput_(std::move(makeOutput)) {}

    void wake() {
        QStringList candidates;
        {
            QMutexLocker lock(&queue_->mutex);
            candidates = queue_->next;
            queue_->wakePending = false;
        }
        QFile in;
        for (const QString& file : candidates) {
            in.setFileName(file);
            if (in.open(QIODevice::ReadOnly)) break;
        }
        if (!in.isOpen()) return; // a missing sound stays silent
        const std::optional<Wave> wave = readWave(in.readAll());
        if (!wave) return;
        if (!output_) output_ = makeOutput_ ? makeOutput_() : std::make_unique<QtAudioOutput>();
        if (output_) output_->play(*wave);
    }

private:
    std::shared_ptr<SoundQueue> queue_;
    QtSound::OutputFactory makeOutput_;
    std::unique_ptr<AudioOutput> output_;
};

QtSound::QtSound(OutputFactory makeOutput, QStringList fallbackFolders)
    : makeOutput_(std::move(makeOutput)), fallbackFolders_(std::move(fallbackFolders)),
      queue_(std::make_shared<SoundQueue>()) {}

QtSound::~QtSound() {
    shutDown(DefaultShutDownBound);
}

void QtSound::play(const QString& file) {
    if (shutDown_ || file.isEmpty()) return;
    // A relative name means the current directory as it is now, then the fallback folders.
    QStringList candidates{QFileInfo(file).absoluteFilePath()};
    if (QFileInfo(file).isRelative())
        for (const QString& folder : fallbackFolders_) candidates << QDir(folder).absoluteFilePath(file);
    bool post = false;
    {
        QMutexLocker lock(&queue_->mutex);
        queue_->next = candidates;
        post = !queue_->wakePending;
        queue_->wakePending = true;
    }
    if (!thread_) {
        // Started at the first sound, so that start-up never touches the audio system.
        thread_ = new QThread;
        thread_->setObjectName(QStringLiteral("Ziehbox sound"));
        worker_ = new SoundWorker(queue_, std::move(makeOutput_));
        worker_->moveToThread(thread_);
        QObject::connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
        thread_->start();
    }
    if (post) {
        SoundWorker* worker = worker_;
        QMetaObject::invokeMethod(
            worker, [worker] { worker->wake(); }, Qt::QueuedConnection);
    }
}

bool QtSound::shutDown(std::chrono::milliseconds bound) {
    shutDown_ = true;
    if (!thread_) return true;
    QThread* thread = thread_;
    thread_ = nullptr;
    worker_ = nullptr; // deleted on its own thread as that ends
    thread->quit();
    if (thread->wait(QDeadlineTimer(bound))) {
        delete thread;
        return true;
    }
    // Stuck in the audio system: the thread and its worker are left to the end of the process.
    return false;
}
