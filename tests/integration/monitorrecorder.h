// SPDX-License-Identifier: GPL-3.0-or-later
// Records a source of the test server (normally a sink's monitor) on a thread of its own, in
// 10 ms pieces, and keeps when each piece arrived, so that a sample's time can be told.
#pragma once

#include "arrivaltimes.h"
#include "tone.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class MonitorRecorder {
public:
    using Clock = std::chrono::steady_clock;

    // `server`: the audio server's address; the default one (PULSE_SERVER) when empty.
    MonitorRecorder(std::string source, PcmLayout layout, std::string server = {});
    ~MonitorRecorder();

    // False if the source could not be opened.
    bool Start();
    void Stop();

    std::vector<std::uint8_t> Bytes() const;
    // The time the sample at byte `offset` was recorded (estimated from the piece's arrival).
    Clock::time_point TimeOf(std::size_t offset) const;
    const PcmLayout& Layout() const { return layout; }

private:
    void Run(void* connection);

    std::string source;
    PcmLayout layout;
    std::string server;
    std::atomic<bool> running{false};
    std::thread thread;
    mutable std::mutex mutex;
    std::vector<std::uint8_t> bytes;
    ArrivalTimes pieces;
};

// The 1 kHz tone's level on the mic's monitor over 300 ms, the reference for a relayed one;
// 0 if it cannot be recorded.
double MicToneLevel(const PcmLayout& layout);
