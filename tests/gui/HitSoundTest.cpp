#include "gui/QtSound.h"

#include <QFile>
#include <QFileInfo>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

QByteArray generatedSound() {
    QFile f(QStringLiteral(ZIEHBOX_YIPPEE_WAV));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

quint32 u32(const QByteArray& b, int at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 u16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// The hit sound with a chunk inserted between its "fmt " and "data" chunks, padded to an even length as
// RIFF wants it, and the RIFF size corrected.
QByteArray withChunkBeforeData(const QByteArray& wav, const QByteArray& id, const QByteArray& body,
                               quint32 declaredSize) {
    QByteArray chunk = id + QByteArray(4, '\0') + body;
    qToLittleEndian<quint32>(declaredSize, chunk.data() + 4);
    if (body.size() % 2 == 1) chunk += '\0';
    QByteArray out = wav.left(36) + chunk + wav.mid(36);
    qToLittleEndian<quint32>(static_cast<quint32>(out.size() - 8), out.data() + 4);
    return out;
}

// The hit sound's fmt chunk as WAVE_FORMAT_EXTENSIBLE (40 bytes) naming the sub-format tag.
QByteArray extensible(const QByteArray& wav, quint16 subFormat) {
    QByteArray fmt = wav.mid(20, 16);
    qToLittleEndian<quint16>(0xFFFE, fmt.data());
    QByteArray extension(24, '\0');
    qToLittleEndian<quint16>(22, extension.data());
    qToLittleEndian<quint16>(subFormat, extension.data() + 8);
    QByteArray out = wav.left(12) + "fmt " + QByteArray(4, '\0') + fmt + extension + wav.mid(36);
    qToLittleEndian<quint32>(40, out.data() + 16);
    qToLittleEndian<quint32>(static_cast<quint32>(out.size() - 8), out.data() + 4);
    return out;
}

} // namespace

TEST(HitSound, GeneratedFileIsAShortCleanPcmWave) {
    const QByteArray wav = generatedSound();
    ASSERT_GT(wav.size(), 44) << ZIEHBOX_YIPPEE_WAV;
    EXPECT_EQ(wav.left(4), "RIFF");
    EXPECT_EQ(u32(wav, 4), static_cast<quint32>(wav.size() - 8));
    EXPECT_EQ(wav.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(u16(wav, 20), 1); // PCM
    const int channels = u16(wav, 22);
    const quint32 rate = u32(wav, 24);
    EXPECT_EQ(u16(wav, 34), 16);
    EXPECT_EQ(u32(wav, 28), rate * channels * 2);
    ASSERT_EQ(wav.mid(36, 4), "data");
    const quint32 dataBytes = u32(wav, 40);
    ASSERT_EQ(dataBytes, static_cast<quint32>(wav.size() - 44));

    const double seconds = static_cast<double>(dataBytes) / (rate * channels * 2);
    EXPECT_GT(seconds, 0.2);
    EXPECT_LT(seconds, 1.0);

    // Loud enough to hear, never clipped, and it starts and ends in silence (no click).
    int peak = 0;
    const int samples = static_cast<int>(dataBytes / 2);
    for (int i = 0; i < samples; ++i)
        peak = std::max(peak, std::abs(static_cast<int>(static_cast<qint16>(u16(wav, 44 + 2 * i)))));
    EXPECT_GT(peak, 8000);
    EXPECT_LT(peak, 32767);
    EXPECT_LT(std::abs(static_cast<qint16>(u16(wav, 44))), 200);
    EXPECT_LT(std::abs(static_cast<qint16>(u16(wav, 44 + 2 * (samples - 1)))), 200);
}

TEST(HitSound, WavesAreReadOnlyWhenTheyArePcm) {
    const QByteArray wav = generatedSound();
    ASSERT_GT(wav.size(), 44);
    QByteArray adpcm = wav;
    qToLittleEndian<quint16>(2, adpcm.data() + 20);
    QByteArray floats = wav;
    qToLittleEndian<quint16>(3, floats.data() + 20);
    qToLittleEndian<quint16>(32, floats.data() + 34);
    QByteArray muLaw = wav;
    qToLittleEndian<quint16>(7, muLaw.data() + 20);
    qToLittleEndian<quint16>(8, muLaw.data() + 34);
    QByteArray bits24 = wav;
    qToLittleEndian<quint16>(24, bits24.data() + 34);
    QByteArray fmtPastTheEnd = wav.left(36);
    qToLittleEndian<quint32>(1000, fmtPastTheEnd.data() + 16);
    const struct {
        const char* name;
        QByteArray file;
        bool read;
        QAudioFormat::SampleFormat format;
    } cases[] = {
        {"the hit sound", wav, true, QAudioFormat::Int16},
        {"32-bit float", floats, true, QAudioFormat::Float},
        {"an odd-sized chunk before the data", withChunkBeforeData(wav, "LIST", "abc", 3), true,
         QAudioFormat::Int16},
        {"PCM named by the extensible format", extensible(wav, 1), true, QAudioFormat::Int16},
        {"compressed", adpcm, false, QAudioFormat::Unknown},
        {"mu-law", muLaw, false, QAudioFormat::Unknown},
        {"compressed, named by the extensible format", extensible(wav, 2), false, QAudioFormat::Unknown},
        {"24-bit PCM", bits24, false, QAudioFormat::Unknown},
        {"a format chunk longer than the file", fmtPastTheEnd, false, QAudioFormat::Unknown},
        {"a chunk before the data that claims 4 GB", withChunkBeforeData(wav, "LIST", "abcd", 0xFFFFFFFF),
         false, QAudioFormat::Unknown},
        {"no data chunk", wav.left(36), false, QAudioFormat::Unknown},
        {"no wave at all", QByteArray("RIFF\0\0\0\0AVI ", 12), false, QAudioFormat::Unknown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto wave = readWave(c.file);
        ASSERT_EQ(wave.has_value(), c.read);
        if (!wave) continue;
        EXPECT_EQ(wave->format.sampleFormat(), c.format);
        EXPECT_EQ(wave->format.sampleRate(), static_cast<int>(u32(wav, 24)));
        EXPECT_EQ(wave->samples, wav.mid(44));
    }
}

// The window's thread never waits on the audio system: not while it plays, not when it ends, not
// when the output never answers. Nothing here depends on how fast the machine is: an output that
// answers must end, however long that takes; one that never answers must be given up.
TEST(HitSound, PlayingAndEndingNeverWaitOnTheAudioSystem) {
    struct Output : AudioOutput {
        void play(const Wave&) override {
            played.release();
            if (hangs) release.acquire();
        }
        bool hangs = false;
        QSemaphore& played;
        QSemaphore& release;
        Output(bool h, QSemaphore& p, QSemaphore& r) : hangs(h), played(p), release(r) {}
    };
    const QString soundFolder = QFileInfo(QStringLiteral(ZIEHBOX_YIPPEE_WAV)).absolutePath();
    QTemporaryDir dir;
    const QString padded = dir.filePath(QStringLiteral("padded.wav"));
    {
        QFile out(padded);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(withChunkBeforeData(generatedSound(), "LIST", "abc", 3));
    }
    const struct {
        const char* name;
        bool fake, hangs;
        QStringList files;
        int plays; // waves that reach the output, at least
        QStringList fallbackFolders;
    } cases[] = {
        {"Qt's output",
         false,
         false,
         {"no-such-sound.wav", "", ZIEHBOX_YIPPEE_WAV, ZIEHBOX_YIPPEE_WAV},
         0,
         {}},
        {"missing files", true, false, {"no-such-sound.wav", ""}, 0, {soundFolder}},
        {"the hit sound", true, false, {ZIEHBOX_YIPPEE_WAV}, 1, {}},
        {"a relative name found with the other data",
         true,
         false,
         {"yippee.wav"},
         1,
         {"/nirgends", soundFolder}},
        {"an odd-sized chunk before the data", true, false, {padded}, 1, {}},
        {"an output that never answers", true, true, {ZIEHBOX_YIPPEE_WAV, ZIEHBOX_YIPPEE_WAV}, 1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Left to the end of the process when the output hangs, as the program leaves its thread.
        auto* played = new QSemaphore;
        auto* release = new QSemaphore;
        QtSound::OutputFactory fake;
        if (c.fake)
            fake = [hangs = c.hangs, played, release] {
                return std::make_unique<Output>(hangs, *played, *release);
            };
        auto sound = std::make_unique<QtSound>(fake, c.fallbackFolders);
        for (const QString& file : c.files) sound->play(file);
        if (c.plays > 0) {
            EXPECT_TRUE(played->tryAcquire(c.plays, 10000));
        }
        // The output is stuck in its play now: another sound is handed over all the same (a play that
        // waited for the audio thread would never return here).
        if (c.hangs) sound->play(ZIEHBOX_YIPPEE_WAV);
        const auto bound = c.hangs ? std::chrono::milliseconds(300) : std::chrono::milliseconds(10000);
        EXPECT_EQ(sound->shutDown(bound), !c.hangs);
        sound->play(ZIEHBOX_YIPPEE_WAV); // after the end: nothing
        sound.reset();
        EXPECT_EQ(played->available(), 0);
        release->release(2); // lets a stuck thread run out, the sound handed over while stuck included
    }
}
