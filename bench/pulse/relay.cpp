// Relays the private server's tone from "Monitor of Tone Mic" to "Test Speakers" through the
// engine and the pulse backend for the given seconds (0.3 s blocks, 44.1 kHz 16-bit stereo),
// then prints the process's CPU time per minute of relaying.
#include "headless/headlessrelay.h"
#include "platform/wave/pulse/pulsewaveservice.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int FindDevice(WaveService& service, bool capture, const char* name)
{
    const UINT count = capture ? service.waveInGetNumDevs() : service.waveOutGetNumDevs();
    for (UINT id = 0; id < count; ++id) {
        WAVEOUTCAPSA caps{};
        const MMRESULT result =
            capture ? service.waveInGetDevCapsA(id, reinterpret_cast<LPWAVEINCAPSA>(&caps),
                                                sizeof(WAVEINCAPSA))
                    : service.waveOutGetDevCapsA(id, &caps, sizeof caps);
        if (result == MMSYSERR_NOERROR && std::strcmp(caps.szPname, name) == 0)
            return static_cast<int>(id);
    }
    return -1;
}
}

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    PulseWaveService service;
    const int in = FindDevice(service, true, "Monitor of Tone Mic");
    const int out = FindDevice(service, false, "Test Speakers");
    if (in < 0 || out < 0) {
        std::fprintf(stderr, "the test server's devices are missing\n");
        return 1;
    }
    HeadlessRelay relay(service);
    relay.Configure(44100, true, true, 9, in, out);
    const double before = CpuSeconds();
    if (!relay.Start()) {
        std::fprintf(stderr, "the relay did not start\n");
        return 1;
    }
    relay.PumpFor(std::chrono::seconds(seconds));
    relay.Stop();
    relay.PumpFor(std::chrono::milliseconds(200));
    const double used = CpuSeconds() - before;
    std::printf("cpu_ms_per_min %.1f\nboxes %zu\nunderruns %llu\n", used * 1000 * 60 / seconds,
                relay.Window().Boxes().size(),
                static_cast<unsigned long long>(relay.Engine().Ring.Underruns));
    return 0;
}
