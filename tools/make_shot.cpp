// Writes the game's shot sound, a short sharp rifle shot, as a WAV file on stdout.
//
// Three layers, mixed and scaled so that the loudest sample sits just below full scale:
// a bright crack of white noise that is over within a few tens of milliseconds, a darker
// low-passed noise tail that rings a little longer, and a low thump under both. 16-bit PCM,
// mono, 44.1 kHz.
//
// The output must be the same bytes on every machine, because a test compares the committed
// file with what this tool makes. So the noise comes from a fixed-seed xorshift generator,
// the envelopes and the thump's oscillator are plain multiply-and-add recurrences with their
// factors written out (no libm calls whose last bit might differ between C libraries), and
// the header is written byte by byte in little-endian order.
//
//   make_shot > data/rifle_shot.wav

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "BinaryStdout.h"

namespace {

constexpr int kRate = 44100;               // samples per second
constexpr int kLength = kRate * 2 / 5;     // samples: 400 ms
constexpr int kFadeOut = kRate * 3 / 100;  // samples: the last 30 ms fall linearly to silence
constexpr double kPeak = 0.9;              // of full scale, for the loudest sample

// Per-sample decay factors, e^(-1 / (tau * kRate)) for the time constant tau.
constexpr double kCrackDecay = 0.9981121395078009;  // tau 12 ms
constexpr double kTailDecay = 0.9997480791044941;   // tau 90 ms
constexpr double kThumpDecay = 0.9992444276899072;  // tau 30 ms

// The thump's 65 Hz sine, made by the recurrence s[n] = 2 cos(w) s[n-1] - s[n-2].
constexpr double kThumpTwoCos = 1.9999142357750748;  // 2 cos(2 pi 65 / kRate)
constexpr double kThumpSin = 0.009260798348398479;   // sin(2 pi 65 / kRate)

constexpr int kCrackAttack = kRate / 2000;  // samples: 0.5 ms from nothing to the full crack
constexpr int kBodyAttack = kRate / 500;    // samples: 2 ms for the tail and the thump
constexpr double kTailLowPass = 0.12;       // one-pole smoothing factor: a darker noise
constexpr double kTailLevel = 0.45;
constexpr double kThumpLevel = 0.8;

// xorshift32: small, fast and the same everywhere.
class Noise {
  public:
    // Uniform in [-1, 1).
    double Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

  private:
    std::uint32_t state_ = 0x2545F491u;
};

double Attack(int n, int samples) {
    return n < samples ? static_cast<double>(n) / samples : 1.0;
}

std::vector<double> Synthesize() {
    std::vector<double> mix(kLength);
    Noise noise;
    double crackEnvelope = 1.0;
    double tailEnvelope = 1.0;
    double thumpEnvelope = 1.0;
    double tail = 0.0;
    double thumpPrevious = -kThumpSin;  // sin(-w), so the sine starts at 0 and rises
    double thump = 0.0;
    for (int n = 0; n < kLength; ++n) {
        const double white = noise.Next();
        tail += kTailLowPass * (white - tail);
        const double crack = white * crackEnvelope * Attack(n, kCrackAttack);
        const double ring = tail * tailEnvelope * kTailLevel * Attack(n, kBodyAttack);
        const double low = thump * thumpEnvelope * kThumpLevel * Attack(n, kBodyAttack);
        mix[n] = crack + ring + low;

        if (n >= kCrackAttack) crackEnvelope *= kCrackDecay;
        if (n >= kBodyAttack) {
            tailEnvelope *= kTailDecay;
            thumpEnvelope *= kThumpDecay;
        }
        const double thumpNext = kThumpTwoCos * thump - thumpPrevious;
        thumpPrevious = thump;
        thump = thumpNext;
    }
    for (int n = kLength - kFadeOut; n < kLength; ++n)
        mix[n] *= static_cast<double>(kLength - 1 - n) / kFadeOut;
    return mix;
}

std::vector<std::int16_t> Quantize(const std::vector<double>& mix) {
    double loudest = 0.0;
    for (double v : mix) loudest = std::max(loudest, std::fabs(v));
    const double scale = loudest > 0.0 ? kPeak * 32767.0 / loudest : 0.0;
    std::vector<std::int16_t> samples;
    samples.reserve(mix.size());
    for (double v : mix) samples.push_back(static_cast<std::int16_t>(std::lround(v * scale)));
    return samples;
}

void PutU16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutU32(std::string& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

// A canonical 44-byte header: "RIFF", then one "fmt " chunk for PCM and one "data" chunk.
std::string MakeWav(const std::vector<std::int16_t>& samples) {
    constexpr std::uint32_t kChannels = 1;
    constexpr std::uint32_t kBytesPerSample = 2;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * kBytesPerSample);
    std::string out = "RIFF";
    PutU32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    PutU32(out, 16);  // size of the fmt chunk
    PutU16(out, 1);   // PCM
    PutU16(out, kChannels);
    PutU32(out, kRate);
    PutU32(out, kRate * kChannels * kBytesPerSample);  // bytes per second
    PutU16(out, kChannels * kBytesPerSample);          // bytes per frame
    PutU16(out, kBytesPerSample * 8);                  // bits per sample
    out += "data";
    PutU32(out, dataBytes);
    for (std::int16_t s : samples) PutU16(out, static_cast<std::uint16_t>(s));
    return out;
}

}  // namespace

int main() {
    SetBinaryStdout();
    const std::string wav = MakeWav(Quantize(Synthesize()));
    if (std::fwrite(wav.data(), 1, wav.size(), stdout) != wav.size()) return 1;
    return std::fflush(stdout) == 0 ? 0 : 1;
}
