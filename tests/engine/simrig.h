// SPDX-License-Identifier: GPL-3.0-or-later
// Virtual devices with a call log between them and the engine, driven by the headless relay.
#pragma once

#include "support/simdrive.h"
#include "servicelog.h"

#include <cstddef>
#include <vector>

struct RigFormat {
    DWORD rate;
    bool bits16;
    bool stereo;
    int bufset;
};

// 11.025 kHz, 8 bits, mono, 0.3 s blocks: small blocks for the tests that check sequences.
constexpr RigFormat SmallFormat{11025, false, false, 9};

class SimRig {
public:
    explicit SimRig(bool sync = false);
    ~SimRig();

    // Configures, starts and handles the open notifications. False if the query refused.
    bool Start(const RigFormat& format = SmallFormat);
    // Stops and handles what the stop provoked.
    void Stop();
    // Runs the relay for `blocks` block lengths from now.
    void RunBlocks(double blocks);

    SimTime Block() const;
    int InIndex(const WAVEHDR* header) const;
    int OutIndex(const WAVEHDR* header) const;
    // The entries of the service calls named `name` since the log was cleared.
    std::vector<int> Entries(const char* name) const;
    // Every byte the playback device played, in order.
    std::vector<BYTE> PlayedBytes() const;

    SimWaveService sim;
    ServiceLog log;
    HeadlessRelay relay;
    DuctEngine& engine;
    FakeWindow& window;
    std::size_t liveBlocksBefore;
};

// `count` bytes of the capture signal from stream position `position`.
std::vector<BYTE> Recorded(std::uint64_t position, std::size_t count);
