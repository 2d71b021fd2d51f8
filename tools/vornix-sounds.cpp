// Writes the two sounds that end a game, "Win.wav" (the computer won: a falling phrase) and
// "lose.wav" (the human won: a rising fanfare), into the folder given.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;

struct Note {
    double hertz;
    double seconds;
};

std::vector<std::int16_t> render(const std::vector<Note>& notes)
{
    std::vector<std::int16_t> samples;
    for (const Note& note : notes) {
        const int count = static_cast<int>(note.seconds * kRate);
        for (int n = 0; n < count; ++n) {
            const double t = static_cast<double>(n) / kRate;
            // A soft attack and a decay, two harmonics for a little warmth.
            const double envelope = std::min(1.0, t / 0.01) * std::exp(-3.0 * t / note.seconds);
            const double phase = 2.0 * std::numbers::pi * note.hertz * t;
            const double value = envelope * (0.7 * std::sin(phase) + 0.2 * std::sin(2 * phase) + 0.1 * std::sin(3 * phase));
            samples.push_back(static_cast<std::int16_t>(value * 0.5 * 32767));
        }
    }
    return samples;
}

bool writeWave(const std::string& path, const std::vector<std::int16_t>& samples)
{
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](std::uint32_t v) {
        for (int s = 0; s < 32; s += 8)
            out.put(static_cast<char>(v >> s));
    };
    auto u16 = [&](std::uint16_t v) {
        out.put(static_cast<char>(v));
        out.put(static_cast<char>(v >> 8));
    };
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    for (std::int16_t s : samples)
        u16(static_cast<std::uint16_t>(s));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: vornix-sounds FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const bool ok = writeWave(folder + "/Win.wav", render({{659.3, 0.18}, {587.3, 0.18}, {523.3, 0.18}, {392.0, 0.5}}))
        && writeWave(folder + "/lose.wav",
                     render({{523.3, 0.12}, {659.3, 0.12}, {784.0, 0.12}, {1046.5, 0.45}}));
    return ok ? 0 : 1;
}
