// Plays a gated 1 kHz tone (1.5 s on, 1.5 s off) into the sink "mic" and records the monitors
// of "mic" and "speakers" for the given seconds; prints the delay from each burst's start on
// the mic to its start on the speakers (median and maximum, in ms), leaving out the first.
#include "monitorrecorder.h"
#include "tone.h"

#include <pulse/simple.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {
constexpr PcmLayout Layout{44100, 16, 2};
constexpr std::size_t Window = Layout.rate / 100;
constexpr std::size_t FrameBytes = 4;
constexpr std::size_t HalfPeriod = Layout.rate * 3 / 2;

void PlayGatedTone(const std::atomic<bool>& running)
{
    pa_sample_spec sampleSpec{PA_SAMPLE_S16LE, Layout.rate, 2};
    pa_simple* player = pa_simple_new(nullptr, "phonoduct-probe", PA_STREAM_PLAYBACK, "mic",
                                      "gated tone", &sampleSpec, nullptr, nullptr, nullptr);
    if (!player)
        return;
    const auto tone = MakeTone(Layout, 1000, 0.5, HalfPeriod);
    const std::vector<std::uint8_t> silence(tone.size(), 0);
    for (bool on = true; running; on = !on) {
        const auto& half = on ? tone : silence;
        if (pa_simple_write(player, half.data(), half.size(), nullptr) < 0)
            break;
    }
    pa_simple_free(player);
}

// Times at which the tone switches on, after at least one quiet window.
std::vector<double> Onsets(const MonitorRecorder& recorder, double threshold)
{
    const auto bytes = recorder.Bytes();
    const auto samples = FirstChannel(bytes.data(), bytes.size(), Layout);
    std::vector<double> onsets;
    bool quiet = false;
    const auto origin = MonitorRecorder::Clock::time_point{};
    for (std::size_t at = 0; at + Window <= samples.size(); at += Window) {
        const bool loud = ToneLevel(samples.data() + at, Window, 1000, Layout.rate) >= threshold;
        if (loud && quiet)
            onsets.push_back(std::chrono::duration<double, std::milli>(
                                 recorder.TimeOf(at * FrameBytes) - origin).count());
        quiet = !loud;
    }
    return onsets;
}
}

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    MonitorRecorder mic("mic.monitor", Layout);
    MonitorRecorder speakers("speakers.monitor", Layout);
    if (!mic.Start() || !speakers.Start()) {
        std::fprintf(stderr, "cannot record the monitors\n");
        return 1;
    }
    std::atomic<bool> running{true};
    std::thread player([&] { PlayGatedTone(running); });
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    running = false;
    player.join();
    mic.Stop();
    speakers.Stop();

    const double threshold = 0.5 * 0.5 * 0.707;  // half the played tone's level
    const auto in = Onsets(mic, threshold);
    const auto out = Onsets(speakers, threshold);
    std::vector<double> delays;
    // The first burst on the speakers may have begun on the mic before the relay started.
    for (std::size_t i = 1; i < out.size(); ++i) {
        const double t = out[i];
        // The two recordings' clocks agree to a few ms: a burst may seem to start on the
        // speakers a little before it does on the mic.
        auto before = std::upper_bound(in.begin(), in.end(), t + 50.0);
        if (before != in.begin())
            delays.push_back(t - *(before - 1));
    }
    if (delays.empty()) {
        std::printf("delay_count 0\n");
        return 1;
    }
    std::sort(delays.begin(), delays.end());
    std::printf("delay_count %zu\ndelay_median_ms %.1f\ndelay_max_ms %.1f\n", delays.size(),
                delays[delays.size() / 2], delays.back());
    return 0;
}
