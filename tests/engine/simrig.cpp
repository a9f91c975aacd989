// SPDX-License-Identifier: GPL-3.0-or-later
#include "simrig.h"

#include "platform/sleep.h"

#include <thread>

namespace {
ServiceLog* pauses = nullptr;
}

// The stop's pauses let real devices settle; virtual ones, on their own clock, need none:
// a pause is logged among the service calls instead, where it was made.
void Sleep(DWORD dwMilliseconds)
{
    if (dwMilliseconds == 0)
        std::this_thread::yield();
    else if (pauses)
        pauses->Log("Sleep");
}

SimRig::SimRig(bool sync)
    : sim({SimDevice{"Virtual In"}}, {SimDevice{"Virtual Out", 0xFFF, sync}}), log(sim),
      relay(log), engine(relay.Engine()), window(relay.Window()),
      liveBlocksBefore(GlobalLiveBlocks())
{
    pauses = &log;
}

SimRig::~SimRig()
{
    pauses = nullptr;
}

bool SimRig::Start(const RigFormat& format)
{
    relay.Configure(format.rate, format.bits16, format.stereo, format.bufset);
    const bool started = relay.Start();
    relay.Pump();
    return started;
}

void SimRig::Stop()
{
    relay.Stop();
    relay.Pump();
}

void SimRig::RunBlocks(double blocks)
{
    RunUntil(sim, relay, sim.Now() + static_cast<SimTime>(blocks * static_cast<double>(Block())));
}

SimTime SimRig::Block() const
{
    return BlockDuration(engine);
}

int SimRig::InIndex(const WAVEHDR* header) const
{
    return log.InEntry(header);
}

int SimRig::OutIndex(const WAVEHDR* header) const
{
    return log.OutEntry(header);
}

std::vector<int> SimRig::Entries(const char* name) const
{
    const bool in = std::string(name).find("waveIn") == 0;
    std::vector<int> entries;
    for (const ServiceLog::Call& call : log.Calls()) {
        if (call.name == name)
            entries.push_back(in ? InIndex(call.header) : OutIndex(call.header));
    }
    return entries;
}

std::vector<BYTE> SimRig::PlayedBytes() const
{
    std::vector<BYTE> bytes;
    for (const SimWaveService::PlayedBlock& block : sim.Played())
        bytes.insert(bytes.end(), block.bytes.begin(), block.bytes.end());
    return bytes;
}

std::vector<BYTE> Recorded(std::uint64_t position, std::size_t count)
{
    std::vector<BYTE> bytes(count);
    SimWaveService::PatternSignal(position, bytes.data(), count);
    return bytes;
}
