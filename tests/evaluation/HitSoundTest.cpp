#include "platform/Sound.h"

#include <QElapsedTimer>
#include <QFile>
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

TEST(HitSound, PlayingNeverBlocksAndAMissingFileIsSilent) {
    QtSound sound;
    QElapsedTimer timer;
    timer.start();
    sound.play(QStringLiteral("no-such-sound.wav"));
    sound.play(QString());
    // Several rows start the sound in quick succession; each start cuts the one before.
    for (int i = 0; i < 3; ++i) sound.play(QStringLiteral(ZIEHBOX_YIPPEE_WAV));
    EXPECT_LT(timer.elapsed(), 500);
}
