// SPDX-License-Identifier: GPL-3.0-or-later
// The tone relayed at 44.1 kHz, 16-bit stereo with 0.3 s blocks while a busy loop of normal
// priority runs on every core: after the pre-roll the speakers get the whole tone, with no
// gap, no underrun and no overrun. Two minutes; PHONODUCT_RELAY_SECONDS sets another length
// (an hour, run by hand).
#include "support/headlessrelay.h"
#include "monitorrecorder.h"
#include "platform/wave/pulse/pulsewaveservice.h"
#include "testserver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {
// Mono is enough to find a gap, and keeps an hour's recording to 320 MB.
constexpr PcmLayout Recording{44100, 16, 1};
constexpr std::size_t Window = Recording.rate / 100;  // 10 ms
constexpr std::size_t SampleBytes = 2;
constexpr auto PreRoll = 4 * 300ms;

// One spinning process per core at normal priority, each in a session of its own as a
// compile started from a terminal would be: the scheduler shares the cores between the loops
// and the relay's session as it would on a desktop.
class BusyCores {
public:
    BusyCores()
    {
        for (unsigned i = 0; i < std::max(1u, std::thread::hardware_concurrency()); ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                setsid();
                // Atomic, so that the endless loop is one the compiler must keep.
                for (std::atomic<unsigned long> spins = 0;; spins.fetch_add(1)) {
                }
            }
            if (pid > 0)
                loops.push_back(pid);
        }
    }
    ~BusyCores()
    {
        for (const pid_t pid : loops) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    std::size_t Count() const { return loops.size(); }

private:
    std::vector<pid_t> loops;
};

std::chrono::seconds Length()
{
    const char* seconds = std::getenv("PHONODUCT_RELAY_SECONDS");
    return std::chrono::seconds(seconds ? std::atoi(seconds) : 120);
}

// Quiet windows among the `count` samples from `from`, converted a minute at a time so that
// an hour's recording is never converted at once.
std::size_t QuietWindowsIn(const std::vector<std::uint8_t>& bytes, std::size_t from,
                           std::size_t count, double threshold)
{
    constexpr std::size_t Minute = Window * 6000;
    std::size_t quiet = 0;
    for (std::size_t at = from; at < from + count; at += Minute) {
        const std::size_t samples = std::min(Minute, from + count - at);
        const auto piece = FirstChannel(bytes.data() + at * SampleBytes, samples * SampleBytes,
                                        Recording);
        quiet += QuietWindows(piece, 0, Window, 1000, Recording.rate, threshold);
    }
    return quiet;
}
}

TEST(LoadedRelay, TheToneStaysWholeWhileEveryCoreIsBusy)
{
    const auto length = Length();
    // Forked before any thread of the test exists.
    BusyCores cores;
    ASSERT_GT(cores.Count(), 0u);
    const double reference = MicToneLevel(Recording);
    ASSERT_GT(reference, 0.05);
    PulseWaveService service;
    HeadlessRelay relay(service);
    ASSERT_NO_FATAL_FAILURE(ConfigureToneRelay(service, relay, {44100, 16, 2}));
    MonitorRecorder speakers("speakers.monitor", Recording);
    ASSERT_TRUE(speakers.Start());
    const auto started = Clock::now();
    ASSERT_TRUE(relay.Start());
    relay.PumpFor(PreRoll + length + 300ms);
    relay.Stop();
    relay.PumpFor(200ms);
    speakers.Stop();
    EXPECT_TRUE(relay.Window().Boxes().empty());
    const std::uint64_t underruns = relay.Engine().RelayCounts().underruns;
    const std::uint64_t overruns = relay.Engine().RelayCounts().overruns;
    EXPECT_EQ(underruns, 0u);
    EXPECT_EQ(overruns, 0u);

    const auto bytes = speakers.Bytes();
    const auto opening = FirstChannel(
        bytes.data(), std::min<std::size_t>(bytes.size(), SampleBytes * Recording.rate * 5),
        Recording);
    const long onset = FirstToneWindow(opening, Window, 1000, Recording.rate, reference / 2);
    ASSERT_GE(onset, 0);
    const std::size_t first = static_cast<std::size_t>(onset) * Window;
    const std::size_t count = Recording.rate * static_cast<std::size_t>(length.count());
    ASSERT_GE(bytes.size() / SampleBytes, first + Window + count);
    const std::size_t quiet = QuietWindowsIn(bytes, first + Window, count, reference / 2);
    EXPECT_EQ(quiet, 0u);
    const double delay = std::chrono::duration<double, std::milli>(
                             speakers.TimeOf(first * SampleBytes) - started).count();
    std::printf("%lld s relayed beside %zu busy loops: delay %.0f ms, %zu of %zu windows of "
                "10 ms quiet, underruns %llu, overruns %llu\n",
                static_cast<long long>(length.count()), cores.Count(), delay, quiet, count / Window,
                static_cast<unsigned long long>(underruns),
                static_cast<unsigned long long>(overruns));
}
