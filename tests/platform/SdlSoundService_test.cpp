// Played through SDL's "disk" driver: it writes what the device plays (16-bit stereo) to a file.
#include "platform/sdl/SdlSoundService.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <future>
#include <tuple>

#include "Eventually.h"
#include "TempDir.h"

namespace bravok {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kRate = SdlSoundService::kPreferredRate;
const bool g_prepared = (SdlSoundService::PrepareProcess(), true);  // before gtest's threads
const auto Loud = [](int sample) { return std::abs(sample) > 100; };
const auto Long = [](int sample) { return std::abs(sample - 3000) <= 30; };  // long.wav's level

bool Eventually(auto done) {
    return test::Eventually(done, 60s, [] { std::this_thread::sleep_for(10ms); });
}

std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string Le(std::uint32_t value, int bytes) {
    return std::string(reinterpret_cast<const char*>(&value), bytes);
}

// A WAV file of `frames` copies of one frame; its data chunk claims `claimed` bytes if set.
void WriteWav(const char* path, int format, int channels, int rate, int bits,
              const std::string& frame, int frames, std::uint32_t claimed = 0) {
    std::string data;
    for (int i = 0; i < frames; ++i) data += frame;
    const int align = channels * bits / 8;
    std::ofstream(path, std::ios::binary)
        << "RIFF" << Le(36 + data.size(), 4) << "WAVEfmt " << Le(16, 4) << Le(format, 2)
        << Le(channels, 2) << Le(rate, 4) << Le(rate * align, 4) << Le(align, 2) << Le(bits, 2)
        << "data" << Le(claimed ? claimed : data.size(), 4) << data;
}

// A service playing into a file of the test's own folder, which is also the current folder,
// the way the game finds its sound by relative path.
class SdlSound : public ::testing::Test {
  protected:
    SdlSound() {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", "device.raw", 1);
        WriteWav("long.wav", 1, 1, kRate, 16, Le(3000, 2), 5 * kRate);  // 5 s at 3000
    }
    // The left channel of what the device played, from frame `from` on.
    static std::vector<int> Output(std::size_t from = 0) {
        const std::string bytes = ReadFile("device.raw");
        std::vector<int> samples;
        for (std::size_t i = 4 * from; i + 2 <= bytes.size(); i += 4)
            samples.push_back(
                std::int16_t(std::uint8_t(bytes[i]) | std::uint8_t(bytes[i + 1]) << 8));
        return samples;
    }
    // Waits until a sound has played and 0.3 s of silence tell that it is over.
    static bool PlaysAndEnds() {
        return Eventually([] {
            const std::vector<int> out = Output();
            const auto last = std::find_if(out.rbegin(), out.rend(), Loud);
            return last != out.rend() && last - out.rbegin() >= kRate * 3 / 10;
        });
    }
    static bool HearsLongAfter(std::size_t from) {  // 10 ms of it
        return Eventually([&] { return std::ranges::count_if(Output(from), Long) > kRate / 100; });
    }

    const test::TempDir m_dir{true};
};

// A file that cannot be played, or only as gigabytes of samples, plays the short default
// sound; one whose data chunk claims 4 GB and holds 1 s plays that second.
TEST_F(SdlSound, PlaysTheShortDefaultSoundForAFileItCannotPlay) {
    std::ofstream("text.wav") << "not a sound";
    std::ofstream("empty.wav");
    fs::copy_file("long.wav", "cut.wav");
    fs::resize_file("cut.wav", 30);  // ends inside the header
    fs::create_directory("folder.wav");
    WriteWav("huge.wav", 1, 1, kRate, 16, Le(3000, 2), kRate, 0xFFFFFFF0);
    WriteWav("slow.wav", 1, 1, 1, 16, Le(3000, 2), kRate);  // 12 hours at 1 Hz
    for (const char* name : {"missing.wav", "text.wav", "empty.wav", "folder.wav", "cut.wav", "",
                             "slow.wav", "huge.wav"}) {
        fs::remove("device.raw");
        SdlSoundService sound;
        sound.PlayAsync(name);
        ASSERT_TRUE(PlaysAndEnds()) << name;
        const auto loud = std::ranges::count_if(Output(), Loud);
        if (name == std::string("huge.wav"))
            EXPECT_EQ(std::ranges::count_if(Output(), Long), kRate);
        else
            EXPECT_TRUE(loud > kRate / 20 && loud < kRate / 5) << name << ": " << loud;
    }
}

// Sounds play by relative path, once and at their level; each request cuts off the sound
// playing; so do a null path and the end of the service. SIGINT and SIGTERM stay the game's.
TEST_F(SdlSound, EachRequestANullPathAndTheEndOfTheServiceCutOffTheSoundPlaying) {
    // IEEE float (format 3) stereo at 22050 Hz, 0.2 s of -0.25: converted to the device's format.
    WriteWav("short.wav", 3, 2, 22050, 32, Le(0xBE800000, 4) + Le(0xBE800000, 4), 4410);
    {
        SdlSoundService sound;
        for (const char* next : {"short.wav", static_cast<const char*>(nullptr)}) {
            const std::size_t before = Output().size();
            sound.PlayAsync("long.wav");
            ASSERT_TRUE(HearsLongAfter(before));
            sound.PlayAsync(next);
            ASSERT_TRUE(PlaysAndEnds());
        }
        const std::size_t before = Output().size();
        sound.PlayAsync("long.wav");
        ASSERT_TRUE(HearsLongAfter(before));
    }  // the service ends while the long sound plays
    // Three long sounds cut off, the short one once at its level, nothing else.
    const std::vector<int> out = Output();
    EXPECT_LT(std::ranges::count_if(out, Long), 4 * kRate);
    const auto isShort = [](int s) { return std::abs(s + 8192) <= 164; };
    EXPECT_NEAR(double(std::ranges::count_if(out, isShort)), kRate / 5, kRate / 20);
    const auto other = [&](int s) { return Loud(s) && !Long(s) && !isShort(s); };
    EXPECT_LT(std::ranges::count_if(out, other), kRate / 100);
    for (int signal : {SIGINT, SIGTERM}) {
        struct sigaction action = {};
        sigaction(signal, nullptr, &action);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << signal;
    }
}

// A request made while an earlier one still waits to start replaces it, as each request
// replaces the sound playing: the latest wins. The service's thread is held at its device, a
// pipe that opens once the test reads it, while both requests arrive.
TEST_F(SdlSound, ARequestStillWaitingToStartIsReplacedByTheNextOne) {
    ASSERT_EQ(mkfifo("held.fifo", 0600), 0);
    setenv("SDL_DISKAUDIOFILE", "held.fifo", 1);
    WriteWav("low.wav", 1, 1, kRate, 16, Le(std::uint16_t(-3000), 2), kRate);
    std::optional<SdlSoundService> sound(std::in_place);
    sound->PlayAsync("long.wav");
    sound->PlayAsync("low.wav");
    std::ifstream device("held.fifo", std::ios::binary);
    int low = 0, first = 0;
    char frame[4];
    for (int n = 0; n < 10 * kRate && low < kRate / 100 && !first && device.read(frame, 4); ++n) {
        const int left = std::int16_t(std::uint8_t(frame[0]) | std::uint8_t(frame[1]) << 8);
        low += std::abs(left + 3000) <= 30;
        first += Long(left);
    }
    // The pipe is read to its end while the service closes it, so the device never blocks.
    auto ended = std::async(std::launch::async, [&sound] { sound.reset(); });
    while (device.read(frame, 4)) continue;
    ended.get();
    EXPECT_EQ(first, 0) << "the request that was replaced played";
    EXPECT_GE(low, kRate / 100) << "the latest request did not play";
}

// Without a device the service says once, in one line, that the sound is off, and the audio
// system's own complaints (ALSA's, for a device it cannot find) stay unprinted; with a device
// it says nothing.
TEST_F(SdlSound, SaysInOneLineThatTheSoundIsOffAndNothingElse) {
    // The driver; ALSA's device name, or the disk driver's file; whether it opens.
    for (auto [driver, device, opens] : {std::tuple{"alsa", "no-such-device", false},
                                         {"disk", "no/such/folder.raw", false},
                                         {"dummy", "", true}}) {
        setenv("SDL_AUDIODRIVER", driver, 1);
        setenv("AUDIODEV", device, 1);
        setenv("SDL_DISKAUDIOFILE", device, 1);
        fflush(stderr);
        const int savedStderr = dup(2);
        ASSERT_TRUE(freopen("stderr.txt", "w", stderr));
        // The thread opens the device as it starts; the service's end waits for the thread.
        SdlSoundService().PlayAsync("long.wav");
        fflush(stderr);
        dup2(savedStderr, 2);
        close(savedStderr);
        EXPECT_EQ(ReadFile("stderr.txt"),
                  opens ? "" : "bravok: sound is off: no audio device could be opened\n")
            << driver;
        unsetenv("AUDIODEV");
    }
}

// An audio device that does not open (here: an output pipe nobody reads) holds up the
// service's thread. Callers on many threads must not notice, and the service's end, and with
// it the game's exit, must not wait for it.
TEST_F(SdlSound, AnAudioSystemThatNeverAnswersHoldsUpNeitherCallersNorTheEnd) {
    ASSERT_EQ(mkfifo("stuck.fifo", 0600), 0);
    setenv("SDL_DISKAUDIOFILE", "stuck.fifo", 1);
    auto ended = std::async(std::launch::async, [] {
        SdlSoundService sound;
        std::atomic<int> returned = 0;
        {
            std::vector<std::jthread> callers;
            for (int t = 0; t < 4; ++t)
                callers.emplace_back([&] {
                    for (int i = 0; i < 500; ++i, ++returned)
                        sound.PlayAsync(i % 2 ? "missing.wav" : nullptr);
                });
        }
        return returned.load();
    });
    ASSERT_EQ(ended.wait_for(60s), std::future_status::ready) << "callers or the end waited";
    EXPECT_EQ(ended.get(), 2000);
}

}  // namespace
}  // namespace bravok
