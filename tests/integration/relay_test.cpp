// The engine relaying the test server's tone from the mic's monitor to the speakers through
// the pulse backend, measured on the speakers' monitor: frequency, level, gaps and delay.
#include "headless/headlessrelay.h"
#include "monitorrecorder.h"
#include "platform/wave/pulse/pulsewaveservice.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
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
    const bool pipewire = std::filesystem::exists(ServerDir() + "/pipewire");
    const double pitchTolerance = pipewire ? 5.0 : 1.0;
    // Its graph moves capture and playback in periods of about 21 ms each.
    const double graphMs = pipewire ? 50.0 : 0.0;
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
    relay.PumpFor(
        std::chrono::duration_cast<std::chrono::milliseconds>(4 * BlockLength + Measured + 300ms));
    const auto stopping = Clock::now();
    relay.Stop();
    EXPECT_LT(Ms(Clock::now() - stopping), 1000);
    relay.PumpFor(200ms);
    speakers.Stop();
    EXPECT_TRUE(relay.Window().Boxes().empty());
    EXPECT_FALSE(relay.Engine().InOpen);
    EXPECT_FALSE(relay.Engine().OutOpen);

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
    RecordProperty("delay_ms", std::to_string(delay));
    std::printf("%s: start %.1f ms, delay %.1f ms (design %.0f ms), level %.4f (mic %.4f), "
                "underruns %llu\n", GetParam().name, startMs, delay, design, level, reference,
                static_cast<unsigned long long>(relay.Engine().Ring.Underruns));
}

INSTANTIATE_TEST_SUITE_P(Formats, PulseRelay,
                         testing::Values(RelayCase{"Cd", {44100, 16, 2}},
                                         RelayCase{"Low", {11025, 8, 1}}),
                         [](const auto& info) { return std::string(info.param.name); });
}
