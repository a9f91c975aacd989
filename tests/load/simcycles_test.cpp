// SPDX-License-Identifier: GPL-3.0-or-later
// A thousand Start/Stop cycles on virtual devices, each relaying a few blocks: heap, global
// memory blocks and open files stay flat, and no box shows.
#include "support/simdrive.h"
#include "cycleusage.h"
#include "platform/sleep.h"

#include <gtest/gtest.h>

// The stop's pauses let real devices settle; virtual ones need none, and a thousand stops
// would wait five minutes for them.
void Sleep(DWORD)
{
}

TEST(StartStopCycles, AThousandOnVirtualDevicesLeaveMemoryAndFilesFlat)
{
    SimWaveService sim({SimDevice{"Virtual In"}}, {SimDevice{"Virtual Out"}});
    sim.SetPlaybackSink([](SimTime, const BYTE*, std::size_t) {});
    HeadlessRelay relay(sim);
    relay.Configure(44100, true, true, 9);
    const SIZE_T blocksBefore = GlobalLiveBlocks();
    const CycleUsage usage = MeasureCycles(10, 1000, [&] {
        ASSERT_TRUE(relay.Start());
        RunUntil(sim, relay, sim.Now() + 3 * BlockDuration(relay.Engine()));
        relay.Stop();
        relay.Pump();
    });

    ExpectFlat(usage);
    EXPECT_EQ(GlobalLiveBlocks(), blocksBefore);
    EXPECT_TRUE(relay.Window().Boxes().empty());
}
