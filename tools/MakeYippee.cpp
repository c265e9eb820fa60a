// Writes the hit sound "yippee.wav": two short rising chirps ("yip" and a longer, higher "pee") with a
// soft attack and decay, 16-bit mono PCM at 22050 Hz, well under a second.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int SampleRate = 22050;
constexpr double Pi = 3.14159265358979323846;

// A sine sweep from f0 to f1 Hz with its second harmonic, under a raised-cosine envelope.
void chirp(std::vector<double>& out, double seconds, double f0, double f1, double level) {
    const int n = static_cast<int>(seconds * SampleRate);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / n;
        const double f = f0 * std::pow(f1 / f0, t); // exponential sweep sounds evenly rising
        phase += 2 * Pi * f / SampleRate;
        const double attack = std::min(1.0, t / 0.08);
        const double decay = 0.5 * (1 + std::cos(Pi * std::max(0.0, (t - 0.6) / 0.4)));
        const double env = attack * (t < 0.6 ? 1.0 : decay);
        out.push_back(level * env * (0.8 * std::sin(phase) + 0.2 * std::sin(2 * phase)));
    }
}

void silence(std::vector<double>& out, double seconds) {
    out.insert(out.end(), static_cast<std::size_t>(seconds * SampleRate), 0.0);
}

void put16(std::FILE* f, std::uint16_t v) {
    const unsigned char b[2] = {static_cast<unsigned char>(v & 0xff), static_cast<unsigned char>(v >> 8)};
    std::fwrite(b, 1, 2, f);
}

void put32(std::FILE* f, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) std::fputc(static_cast<int>((v >> (8 * i)) & 0xff), f);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output.wav\n", argv[0]);
        return 2;
    }
    std::vector<double> samples;
    chirp(samples, 0.14, 600, 1100, 0.55);
    silence(samples, 0.04);
    chirp(samples, 0.32, 800, 1700, 0.6);
    silence(samples, 0.02);

    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f) {
        std::perror(argv[1]);
        return 1;
    }
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    put32(f, 36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    put32(f, 16); // fmt chunk size
    put16(f, 1);  // PCM
    put16(f, 1);  // mono
    put32(f, SampleRate);
    put32(f, SampleRate * 2); // byte rate
    put16(f, 2);              // block align
    put16(f, 16);             // bits per sample
    std::fwrite("data", 1, 4, f);
    put32(f, dataBytes);
    for (double s : samples) {
        const double clipped = std::max(-1.0, std::min(1.0, s));
        put16(f, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(clipped * 32767))));
    }
    if (std::fclose(f) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
