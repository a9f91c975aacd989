// SPDX-License-Identifier: GPL-3.0-or-later
#include "simdrive.h"

void RunUntil(SimWaveService& sim, HeadlessRelay& relay, SimTime end)
{
    relay.Pump();
    for (auto next = sim.NextEventTime(); next && *next <= end; next = sim.NextEventTime()) {
        sim.AdvanceTo(*next);
        relay.Pump();
    }
    sim.AdvanceTo(end);
    relay.Pump();
}

SimTime BlockDuration(const DuctEngine& engine)
{
    // Rounded up, as the devices' clocks round the end of a block.
    const SimTime rate = engine.SoundFormat().wf.nAvgBytesPerSec;
    return (static_cast<SimTime>(engine.BlockLength()) * SimSecond + rate - 1) / rate;
}
