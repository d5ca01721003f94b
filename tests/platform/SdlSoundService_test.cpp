#include "platform/SdlSoundService.h"

#include <SDL.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

// These tests play through SDL's "disk" driver, which writes what the device plays, in the
// format the service asked for, to a file at the pace of a real device.

namespace bravok {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kRate = SdlSoundService::kPreferredRate;
constexpr int kQuiet = kRate * 3 / 10;  // frames of silence that tell a sound has ended

// Waits until pred holds or a generous deadline passes.
template <typename Pred>
bool Eventually(Pred pred) {
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

// Sets an environment variable for its lifetime; SDL reads them when the service starts.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() { m_old ? setenv(m_name, m_old->c_str(), 1) : unsetenv(m_name); }

  private:
    const char* m_name;
    std::optional<std::string> m_old;
};

class TempDir {
  public:
    TempDir() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "bravok_sound_" + std::to_string(getpid()) + "_" + test->name();
        std::ranges::replace(name, '/', '_');  // parameterised tests are named "Case/1"
        m_path = fs::temp_directory_path() / name;
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~TempDir() { fs::remove_all(m_path); }
    const fs::path& Path() const { return m_path; }

  private:
    fs::path m_path;
};

// The left channel of raw 16-bit device output.
std::vector<int> LeftChannel(const std::vector<char>& bytes) {
    constexpr std::size_t kFrameBytes = 2 * SdlSoundService::kPreferredChannels;
    std::vector<int> left;
    for (std::size_t i = 0; i + kFrameBytes <= bytes.size(); i += kFrameBytes) {
        std::int16_t sample;
        std::memcpy(&sample, &bytes[i], sizeof sample);
        left.push_back(sample);
    }
    return left;
}

std::vector<int> ReadOutput(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return LeftChannel({std::istreambuf_iterator<char>(in), {}});
}

bool Loud(int sample) {
    return std::abs(sample) > 100;
}

// True when the output holds a sample that `matches` and, after the last one, enough silence
// to say that the sound is over.
template <typename Pred>
bool PlayedAndEnded(const std::vector<int>& out, Pred matches) {
    const auto last = std::find_if(out.rbegin(), out.rend(), matches);
    if (last == out.rend()) return false;
    return last - out.rbegin() >= kQuiet && std::none_of(out.rbegin(), last, Loud);
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Le(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
    return out;
}

// A WAV file holding `frames` copies of one frame's bytes.
std::string Wav(int formatTag, int channels, int rate, int bits, const std::string& frame,
                int frames) {
    std::string data;
    for (int i = 0; i < frames; ++i) data += frame;
    const int blockAlign = channels * bits / 8;
    return "RIFF" + Le(36 + data.size(), 4) + "WAVEfmt " + Le(16, 4) + Le(formatTag, 2) +
           Le(channels, 2) + Le(rate, 4) + Le(rate * blockAlign, 4) + Le(blockAlign, 2) +
           Le(bits, 2) + "data" + Le(data.size(), 4) + data;
}

// A constant 16-bit mono level at the device's rate: easy to find again in the output.
std::string Level(int level, double seconds) {
    return Wav(1, 1, kRate, 16, Le(static_cast<std::uint16_t>(level), 2),
               static_cast<int>(seconds * kRate));
}

// A service playing through the disk driver into a file of its own temporary folder, which is
// also the current directory, the way the game finds its sound by relative path.
class SdlSoundServiceTest : public ::testing::Test {
  protected:
    SdlSoundServiceTest() { fs::current_path(m_dir.Path()); }
    ~SdlSoundServiceTest() override { fs::current_path(m_oldCwd); }

    std::vector<int> Output() const { return ReadOutput(m_output); }
    template <typename Pred>
    bool Heard(Pred matches) const {
        return Eventually([&] { return std::ranges::any_of(Output(), matches); });
    }

    fs::path m_oldCwd = fs::current_path();
    TempDir m_dir;
    fs::path m_output = m_dir.Path() / "device.raw";
    ScopedEnv m_driver{"SDL_AUDIODRIVER", "disk"};
    ScopedEnv m_file{"SDL_DISKAUDIOFILE", m_output.string()};
};

TEST_F(SdlSoundServiceTest, PlaysTheShotByRelativePathOnceAndInFull) {
    const fs::path shot = fs::path(BRAVOK_DATA_DIR) / "rifle_shot.wav";
    fs::copy_file(shot, "rifle_shot.wav");
    SDL_AudioSpec spec{};
    Uint8* raw = nullptr;
    Uint32 bytes = 0;
    ASSERT_NE(SDL_LoadWAV(shot.c_str(), &spec, &raw, &bytes), nullptr);
    ASSERT_EQ(spec.format, AUDIO_S16LSB);
    ASSERT_EQ(spec.channels, 1);
    std::vector<std::int16_t> file(bytes / 2);
    std::memcpy(file.data(), raw, file.size() * 2);
    SDL_FreeWAV(raw);

    SdlSoundService sound;
    sound.PlayAsync("rifle_shot.wav");
    ASSERT_TRUE(Eventually([&] { return PlayedAndEnded(Output(), Loud); }));

    // Energy per second and peak survive any resampling; a second playing, a cut-off or the
    // default sound would not match.
    auto energyPerSecond = [](const auto& samples, int rate) {
        double sum = 0.0;
        for (double s : samples) sum += s * s;
        return sum / rate;
    };
    auto peak = [](const auto& samples) {
        return std::ranges::max(samples, {}, [](int s) { return std::abs(s); });
    };
    const std::vector<int> out = Output();
    EXPECT_NEAR(energyPerSecond(out, kRate) / energyPerSecond(file, spec.freq), 1.0, 0.1);
    EXPECT_NEAR(std::abs(peak(out)) / double(std::abs(peak(file))), 1.0, 0.05);
}

struct FormatCase {
    const char* name;
    std::string wav;
    int expectedLevel;  // 16-bit
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.name;
}

class SdlSoundFormatTest : public SdlSoundServiceTest,
                           public ::testing::WithParamInterface<FormatCase> {};

TEST_P(SdlSoundFormatTest, ConvertsTheFileToTheDevicesFormat) {
    WriteFile("level.wav", GetParam().wav);
    SdlSoundService sound;
    sound.PlayAsync("level.wav");
    ASSERT_TRUE(Eventually([&] { return PlayedAndEnded(Output(), Loud); }));

    // The median of the loud samples skips the resampler's ripple at both ends.
    std::vector<int> loud;
    std::ranges::copy_if(Output(), std::back_inserter(loud), Loud);
    std::ranges::nth_element(loud, loud.begin() + loud.size() / 2);
    const int expected = GetParam().expectedLevel;
    EXPECT_NEAR(loud[loud.size() / 2], expected, std::abs(expected) / 50);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, SdlSoundFormatTest,
    ::testing::Values(
        FormatCase{"S16MonoAtDeviceRate", Level(8000, 0.5), 8000},
        // Unsigned 8-bit: 0xC0 is half way up from the middle, 0x80.
        FormatCase{"U8Mono11025", Wav(1, 1, 11025, 8, "\xC0", 5512), 16384},
        FormatCase{"S16Stereo22050", Wav(1, 2, 22050, 16, Le(0xD120, 2) + Le(0xD120, 2), 11025),
                   -12000},
        // IEEE float (format 3), -0.25f.
        FormatCase{"Float32Mono48000", Wav(3, 1, 48000, 32, Le(0xBE800000, 4), 24000), -8192}),
    [](const auto& info) { return std::string(info.param.name); });

class SdlSoundDefaultTest : public SdlSoundServiceTest,
                            public ::testing::WithParamInterface<const char*> {};

TEST_P(SdlSoundDefaultTest, PlaysTheDefaultSoundForAFileItCannotPlay) {
    WriteFile("text.wav", "not a sound");
    WriteFile("empty.wav", "");
    fs::create_directory("folder.wav");
    WriteFile("cut.wav", Level(8000, 0.5).substr(0, 30));  // ends inside the header

    SdlSoundService sound;
    sound.PlayAsync(GetParam());
    EXPECT_TRUE(Eventually([&] { return PlayedAndEnded(Output(), Loud); }));
}

INSTANTIATE_TEST_SUITE_P(Unplayable, SdlSoundDefaultTest,
                         ::testing::Values("missing.wav", "text.wav", "empty.wav", "folder.wav",
                                           "cut.wav", ""));

TEST_F(SdlSoundServiceTest, EachRequestCutsOffTheSoundPlaying) {
    WriteFile("long.wav", Level(3000, 5.0));
    WriteFile("short.wav", Level(20000, 0.2));
    auto isLong = [](int s) { return std::abs(s - 3000) <= 30; };
    auto isShort = [](int s) { return std::abs(s - 20000) <= 200; };
    auto count = [](const auto& range, auto pred) { return std::ranges::count_if(range, pred); };
    SdlSoundService sound;

    sound.PlayAsync("long.wav");
    ASSERT_TRUE(Heard(isLong));
    sound.PlayAsync("short.wav");
    ASSERT_TRUE(Eventually([&] { return PlayedAndEnded(Output(), isShort); }));
    std::vector<int> out = Output();
    const auto firstShort = std::ranges::find_if(out, isShort);
    EXPECT_EQ(std::find_if(firstShort, out.end(), isLong), out.end()) << "the long sound went on";
    EXPECT_LT(count(out, isLong), 4 * kRate);

    // A null path stops the sound and plays nothing in its place.
    const std::size_t before = out.size();
    sound.PlayAsync("long.wav");
    ASSERT_TRUE(Eventually([&] {
        const std::vector<int> now = Output();
        return now.size() > before && std::any_of(now.begin() + before, now.end(), isLong);
    }));
    sound.PlayAsync(nullptr);
    ASSERT_TRUE(Eventually([&] { return PlayedAndEnded(Output(), isLong); }));
    out = Output();
    EXPECT_LT(count(std::vector<int>(out.begin() + before, out.end()), isLong), 4 * kRate);
    EXPECT_EQ(count(std::vector<int>(out.begin() + before, out.end()), isShort), 0);
}

TEST_F(SdlSoundServiceTest, DestroyingItWhileASoundPlaysCutsTheSoundOffAndShutsSdlDown) {
    WriteFile("long.wav", Level(3000, 10.0));
    auto isLong = [](int s) { return std::abs(s - 3000) <= 30; };
    {
        SdlSoundService sound;
        sound.PlayAsync("long.wav");
        ASSERT_TRUE(Heard(isLong));
    }
    EXPECT_LT(std::ranges::count_if(Output(), isLong), 8 * kRate);

    // SDL's audio was shut down properly if a new service can start it again.
    fs::remove(m_output);
    SdlSoundService again;
    again.PlayAsync("long.wav");
    EXPECT_TRUE(Heard(isLong));
}

TEST_F(SdlSoundServiceTest, LeavesSigintAndSigtermToTheProgram) {
    struct sigaction before[2] = {};
    sigaction(SIGINT, nullptr, &before[0]);
    sigaction(SIGTERM, nullptr, &before[1]);
    SdlSoundService sound;
    ASSERT_TRUE(Eventually([&] { return fs::exists(m_output) && fs::file_size(m_output) > 0; }))
        << "the device never opened";

    struct sigaction after[2] = {};
    sigaction(SIGINT, nullptr, &after[0]);
    sigaction(SIGTERM, nullptr, &after[1]);
    EXPECT_EQ(after[0].sa_handler, before[0].sa_handler);
    EXPECT_EQ(after[1].sa_handler, before[1].sa_handler);
}

// Without a device nothing is heard, and nothing else happens either: no exception, no crash.
TEST(SdlSoundServiceNoDevice, TakesRequestsAndStaysSilent) {
    TempDir dir;
    for (const auto& [driver, file] : {std::pair{"no-such-driver", dir.Path() / "unused.raw"},
                                       std::pair{"disk", dir.Path() / "no" / "such" / "dir"}}) {
        SCOPED_TRACE(driver);
        ScopedEnv useDriver("SDL_AUDIODRIVER", driver);
        ScopedEnv useFile("SDL_DISKAUDIOFILE", file.string());
        SdlSoundService sound;
        EXPECT_NO_THROW({
            sound.PlayAsync(BRAVOK_DATA_DIR "/rifle_shot.wav");
            sound.PlayAsync("missing.wav");
            sound.PlayAsync(nullptr);
            sound.PlayAsync(BRAVOK_DATA_DIR "/rifle_shot.wav");
        });
    }
}

// The service's thread can be held up for any length of time, here by an audio device that
// cannot open until someone reads from it. Callers on many threads must not notice, and once
// the device opens, the latest request is the one that plays.
TEST(SdlSoundServiceCallers, NeverWaitForTheServiceThread) {
    TempDir dir;
    const fs::path device = dir.Path() / "device.fifo";
    ASSERT_EQ(mkfifo(device.c_str(), 0600), 0);
    ScopedEnv useDriver("SDL_AUDIODRIVER", "disk");
    ScopedEnv useFile("SDL_DISKAUDIOFILE", device.string());

    std::mutex outputMutex;  // guards output
    std::vector<char> output;
    std::optional<std::jthread> reader;  // outlives the service, so the device can close
    SdlSoundService sound;

    constexpr int kThreads = 4;
    constexpr int kCalls = 500;
    std::atomic<int> returned = 0;
    {
        std::vector<std::jthread> callers;
        for (int t = 0; t < kThreads; ++t)
            callers.emplace_back([&] {
                for (int i = 0; i < kCalls; ++i) {
                    sound.PlayAsync(i % 2 ? "missing.wav" : nullptr);
                    ++returned;
                }
            });
        const bool allReturned = Eventually([&] { return returned == kThreads * kCalls; });
        EXPECT_TRUE(allReturned) << returned << " calls returned while the device was opening";

        // Reading the pipe lets the device open, which also frees any caller left waiting.
        reader.emplace([&] {
            const int fd = open(device.c_str(), O_RDONLY);
            if (fd < 0) return;
            char buffer[4096];
            for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) {
                std::scoped_lock lock(outputMutex);
                output.insert(output.end(), buffer, buffer + n);
            }
            close(fd);
        });
    }
    sound.PlayAsync(BRAVOK_DATA_DIR "/rifle_shot.wav");

    // The shot is the one request loud enough to pass 20000.
    EXPECT_TRUE(Eventually([&] {
        std::scoped_lock lock(outputMutex);
        const std::vector<int> left = LeftChannel(output);
        return PlayedAndEnded(left, Loud) &&
               std::ranges::any_of(left, [](int s) { return std::abs(s) > 20000; });
    })) << "the latest request, the shot, did not play";
}

}  // namespace
}  // namespace bravok
