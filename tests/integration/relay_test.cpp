// SPDX-License-Identifier: GPL-3.0-or-later
// The engine relaying the test server's tone from the mic's monitor to the speakers through
// the pulse backend, measured on the speakers' monitor: frequency, level, gaps and delay, and
// every sample against the mic's.
#include "support/headlessrelay.h"
#include "monitorrecorder.h"
#include "platform/wave/pulse/pulsewaveservice.h"
#include "testserver.h"

#include <gtest/gtest.h>

#include <pulse/simple.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {
// What the recorder takes from the monitors, whatever the relay's format.
constexpr PcmLayout Recording{44100, 16, 2};
constexpr std::size_t Window = Recording.rate / 100;  // 10 ms, exactly 10 periods of 1 kHz
constexpr std::size_t FrameBytes = 4;
constexpr auto BlockLength = 300ms;
constexpr auto Measured = 10s;

// Instrumented builds run the start sequence many times slower, and the time between the
// capture's start and the playback's adds to the delay; there it is allowed for.
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
constexpr bool Instrumented = true;
#else
constexpr bool Instrumented = false;
#endif

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

struct RelayCase {
    const char* name;
    PcmLayout layout;
};

class PulseRelay : public testing::TestWithParam<RelayCase> {};

TEST_P(PulseRelay, TheToneArrivesWholeAfterFourBlocksAtItsFrequencyAndLevel)
{
    // PipeWire resamples a pulse stream to hold its latency, which moves the pitch a little.
    const bool pipewire = OnPipeWire();
    const double pitchTolerance = pipewire ? 5.0 : 1.0;
    // Its graph starts the playback stream once it has linked it, a whole number of cycles of
    // 23 ms after the write: up to four on a fresh server (+99 ms measured).
    const double graphMs = pipewire ? 75.0 : 0.0;
    const PcmLayout layout = GetParam().layout;
    const double reference = MicToneLevel(Recording);
    ASSERT_GT(reference, 0.05);

    PulseWaveService service;
    HeadlessRelay relay(service);
    ASSERT_NO_FATAL_FAILURE(ConfigureToneRelay(service, relay, layout));
    MonitorRecorder speakers("speakers.monitor", Recording);
    ASSERT_TRUE(speakers.Start());
    std::this_thread::sleep_for(100ms);

    const auto started = Clock::now();
    ASSERT_TRUE(relay.Start());
    const double startMs = Ms(Clock::now() - started);
    const std::uint64_t wakeupsBefore = service.LoopWakeups();
    relay.PumpFor(
        std::chrono::duration_cast<std::chrono::milliseconds>(4 * BlockLength + Measured + 300ms));
    const std::uint64_t wakeups = service.LoopWakeups() - wakeupsBefore;
    const auto stopping = Clock::now();
    relay.Stop();
    EXPECT_LT(Ms(Clock::now() - stopping), 1000);
    relay.PumpFor(200ms);
    speakers.Stop();
    EXPECT_TRUE(relay.Window().Boxes().empty());
    // A playback block reported before the capture block ending with it finds the ring empty.
    EXPECT_EQ(relay.Engine().RelayCounts().underruns, 0u);
    EXPECT_FALSE(relay.Engine().CaptureOpen() || relay.Engine().PlaybackOpen());

    const auto bytes = speakers.Bytes();
    const auto samples = FirstChannel(bytes.data(), bytes.size(), Recording);
    const long onset = FirstToneWindow(samples, Window, 1000, Recording.rate, reference / 2);
    ASSERT_GE(onset, 0);
    const std::size_t from = static_cast<std::size_t>(onset) * Window;
    const std::size_t count = Recording.rate * 10;
    ASSERT_GE(samples.size(), from + count);

    const double delay = Ms(speakers.TimeOf(from * FrameBytes) - started);
    const double design = Ms(4 * BlockLength);
    EXPECT_GE(delay, design - 15);
    EXPECT_LE(delay, design + 60 + graphMs + (Instrumented ? startMs : 0.0));
    std::vector<float> tone(samples.begin() + from + Window, samples.begin() + from + count);
    EXPECT_EQ(QuietWindows(tone, 0, Window, 1000, Recording.rate, reference / 2), 0u);
    EXPECT_NEAR(ZeroCrossingFrequency(tone.data(), tone.size(), Recording.rate), 1000.0,
                pitchTolerance);
    const double level = ToneLevel(tone.data(), tone.size(), 1000, Recording.rate);
    EXPECT_NEAR(20 * std::log10(level / reference), 0.0, 1.0);
    // The backend's thread takes the server's messages in batches: on PulseAudio some 27
    // wakeups a second, against some 117 when it wakes for every message. PipeWire's server
    // sends a message per 50 ms of capture, about 70 wakeups a second either way.
    const double wakeupsPerSecond = static_cast<double>(wakeups) / (Ms(stopping - started) / 1000);
    EXPECT_LT(wakeupsPerSecond, pipewire ? 100 : 60);
    RecordProperty("delay_ms", std::to_string(delay));
    std::printf("%s: start %.1f ms, delay %.1f ms (design %.0f ms), level %.4f (mic %.4f), "
                "underruns %llu, loop wakeups %llu\n", GetParam().name, startMs, delay, design,
                level, reference,
                static_cast<unsigned long long>(relay.Engine().RelayCounts().underruns),
                static_cast<unsigned long long>(wakeups));
}

INSTANTIATE_TEST_SUITE_P(Formats, PulseRelay,
                         testing::Values(RelayCase{"Cd", {44100, 16, 2}},
                                         RelayCase{"Low", {11025, 8, 1}}),
                         [](const auto& info) { return std::string(info.param.name); });

// Quiet noise played into the mic beside its tone, so that no stretch of the mic's sound
// repeats and a relayed stretch has one place in a recording of it.
class MicNoise {
public:
    MicNoise() : thread([this] { Play(); }) {}
    ~MicNoise()
    {
        playing = false;
        thread.join();
    }
    // False once the noise could not be played: the tone alone repeats, and a stretch of it
    // would match in many places.
    bool Playing() const { return !failed; }

private:
    void Play()
    {
        pa_sample_spec sampleSpec{PA_SAMPLE_S16LE, Recording.rate, 2};
        pa_simple* player = pa_simple_new(nullptr, "phonoduct-test-noise", PA_STREAM_PLAYBACK,
                                          "mic", "noise", &sampleSpec, nullptr, nullptr, nullptr);
        if (!player) {
            failed = true;
            return;
        }
        std::vector<std::int16_t> piece(Recording.rate / 10 * 2);
        std::uint32_t state = 1;
        while (playing) {
            for (auto& sample : piece) {
                state ^= state << 13;
                state ^= state >> 17;
                state ^= state << 5;
                sample = static_cast<std::int16_t>(static_cast<int>(state % 2001) - 1000);
            }
            if (pa_simple_write(player, piece.data(), piece.size() * 2, nullptr) < 0) {
                failed = true;
                break;
            }
        }
        pa_simple_free(player);
    }

    std::atomic<bool> playing{true};
    std::atomic<bool> failed{false};
    std::thread thread;
};

std::size_t BytesOf(std::chrono::milliseconds duration)
{
    return static_cast<std::size_t>(duration.count()) * Recording.rate / 1000 * FrameBytes;
}

TEST(PulseRelayExactness, EveryRelayedSampleIsTheCapturedOneInItsPlace)
{
    constexpr auto Compared = 5000ms;
    constexpr auto Settle = 500ms;
    MicNoise noise;
    PulseWaveService service;
    HeadlessRelay relay(service);
    ASSERT_NO_FATAL_FAILURE(ConfigureToneRelay(service, relay, Recording));
    MonitorRecorder mic("mic.monitor", Recording);
    MonitorRecorder speakers("speakers.monitor", Recording);
    ASSERT_TRUE(mic.Start());
    ASSERT_TRUE(speakers.Start());
    std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(relay.Start());
    relay.PumpFor(4 * BlockLength + Settle + Compared + Settle);
    relay.Stop();
    relay.PumpFor(200ms);
    mic.Stop();
    speakers.Stop();
    EXPECT_EQ(relay.Engine().RelayCounts().underruns, 0u);
    ASSERT_TRUE(noise.Playing()) << "without the noise the tone repeats: nothing is proven";

    // From after the pre-roll to before the stop, the speakers played exactly what the mic
    // recorded: no sample changed, lost or added.
    const auto played = speakers.Bytes();
    const auto captured = mic.Bytes();
    const std::size_t from = BytesOf(100ms + 4 * BlockLength + Settle);
    const std::size_t length = BytesOf(Compared);
    ASSERT_GE(played.size(), from + length);
    const auto begin = played.begin() + static_cast<std::ptrdiff_t>(from);
    const auto found = std::search(captured.begin(), captured.end(), begin,
                                   begin + static_cast<std::ptrdiff_t>(BytesOf(100ms)));
    ASSERT_NE(found, captured.end()) << "the relayed sound is nowhere in the mic's";
    ASSERT_GE(static_cast<std::size_t>(captured.end() - found), length);
    const auto differs = std::mismatch(begin, begin + static_cast<std::ptrdiff_t>(length), found);
    EXPECT_EQ(static_cast<std::size_t>(differs.first - begin), length)
        << "the relayed sound departs from the mic's after "
        << (differs.first - begin) / FrameBytes << " frames";
}
}
