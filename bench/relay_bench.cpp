// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's cost per relayed block and per relayed hour, on virtual devices. The capture
// signal and the playback record are left out, so what is measured is the ring, the header
// round trips and the notification queue, plus the virtual devices' bookkeeping.
#include "support/simdrive.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

void Silent(std::uint64_t, BYTE*, std::size_t)
{
}

void Discard(SimTime, const BYTE*, std::size_t)
{
}

// One put and one get: a pointer exchange and one block copy.
void BM_RingPutGet(benchmark::State& state)
{
    const auto size = static_cast<DWORD>(state.range(0));
    std::vector<std::vector<char>> blocks(BlockRing::Slots + 2, std::vector<char>(size, 1));
    BlockRing ring;
    for (int s = 0; s < BlockRing::Slots; ++s) {
        ring.RingData[s] = blocks[s].data();
        ring.RingFree[s] = true;
    }
    WAVEHDR capture{blocks[BlockRing::Slots].data(), size, size, 0, 0, 0, nullptr, 0};
    WAVEHDR playback{blocks[BlockRing::Slots + 1].data(), size, 0, 0, 0, 0, nullptr, 0};
    for (auto _ : state) {
        ring.PutBlock(capture);
        ring.GetBlock(playback, false);
        benchmark::DoNotOptimize(playback.lpData);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_RingPutGet)->Arg(3307)->Arg(88200)->Arg(211680);

// A relay at 44.1 kHz, 16 bits, stereo with the slider at `bufset`, started and running.
class RunningRelay {
public:
    explicit RunningRelay(int bufset)
        : sim({SimDevice{"Virtual In"}}, {SimDevice{"Virtual Out"}}), relay(sim)
    {
        sim.SetCaptureSignal(Silent);
        sim.SetPlaybackSink(Discard);
        relay.Configure(44100, true, true, bufset);
        relay.Start();
        RunUntil(sim, relay, 10 * BlockDuration(relay.Engine()));
    }
    ~RunningRelay() { relay.Stop(); }

    SimWaveService sim;
    HeadlessRelay relay;
};

// One block through the whole engine: the capture notification (unprepare, put, prepare,
// add) and the playback notification (unprepare, get, prepare, write).
void BM_RelayedBlock(benchmark::State& state)
{
    RunningRelay running(static_cast<int>(state.range(0)));
    const SimTime block = BlockDuration(running.relay.Engine());
    for (auto _ : state)
        RunUntil(running.sim, running.relay, running.sim.Now() + block);
    const DuctEngine& engine = running.relay.Engine();
    if (engine.RelayCounts().underruns != 0 || engine.RelayCounts().overruns != 0)
        state.SkipWithError("the relay did not run in step");
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * engine.BlockLength());
}
BENCHMARK(BM_RelayedBlock)->Arg(0)->Arg(7)->Arg(9);

// One virtual hour of relaying.
void BM_RelayedHour(benchmark::State& state)
{
    RunningRelay running(static_cast<int>(state.range(0)));
    constexpr SimTime Hour = 3600 * SimSecond;
    for (auto _ : state)
        RunUntil(running.sim, running.relay, running.sim.Now() + Hour);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RelayedHour)->Arg(0)->Arg(7)->Arg(9)->Unit(benchmark::kMillisecond);

}
