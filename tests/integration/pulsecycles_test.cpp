// SPDX-License-Identifier: GPL-3.0-or-later
// A hundred Start/Stop cycles on the test server, each relaying a moment: heap, global memory
// blocks and open files stay flat, the server keeps no stream of ours, and no box shows.
#include "cycleusage.h"
#include "support/headlessrelay.h"
#include "platform/wave/pulse/pulsewaveservice.h"
#include "testserver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

using namespace std::chrono_literals;

namespace {
// Playback and recording streams on the server, the fixture's own recorders included.
long ServerStreams()
{
    const std::string list = Pactl("list short sink-inputs") + Pactl("list short source-outputs");
    return std::count(list.begin(), list.end(), '\n');
}
}

TEST(PulseCycles, AHundredLeaveMemoryFilesAndServerStreamsFlat)
{
    PulseWaveService service;
    HeadlessRelay relay(service);
    ASSERT_NO_FATAL_FAILURE(ConfigureToneRelay(service, relay, {44100, 16, 2}));
    const long streams = ServerStreams();
    const SIZE_T blocks = GlobalLiveBlocks();
    const CycleUsage usage = MeasureCycles(5, 100, [&] {
        ASSERT_TRUE(relay.Start());
        relay.PumpFor(200ms);
        relay.Stop();
        relay.Pump();
    });

    ExpectFlat(usage);
    EXPECT_EQ(GlobalLiveBlocks(), blocks);
    EXPECT_TRUE(relay.Window().Boxes().empty());
    // The server drops a closed stream a moment after the close.
    for (int wait = 0; wait < 20 && ServerStreams() != streams; ++wait)
        std::this_thread::sleep_for(50ms);
    EXPECT_EQ(ServerStreams(), streams);
}
