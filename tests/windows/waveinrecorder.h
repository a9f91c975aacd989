// SPDX-License-Identifier: GPL-3.0-or-later
// Records a capture device of the platform's service (normally a sink's monitor) on a thread
// of its own, in 10 ms headers, and keeps when each one came back, so that a sample's time
// can be told.
#pragma once

#include "arrivaltimes.h"
#include "tone.h"

#include <windows.h>

#include <mmsystem.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

class WaveInRecorder {
public:
    using Clock = std::chrono::steady_clock;

    WaveInRecorder(UINT device, PcmLayout layout);
    ~WaveInRecorder();
    WaveInRecorder(const WaveInRecorder&) = delete;
    WaveInRecorder& operator=(const WaveInRecorder&) = delete;

    // False if the device could not be opened and started.
    bool Start();
    void Stop();

    std::vector<std::uint8_t> Bytes() const;
    // The time the sample at byte `offset` was recorded (estimated from its header's return).
    Clock::time_point TimeOf(std::size_t offset) const;

private:
    void Run();

    UINT device;
    PcmLayout layout;
    HANDLE done;
    HWAVEIN handle = nullptr;
    std::vector<std::vector<char>> blocks;
    std::vector<WAVEHDR> headers;
    std::atomic<bool> running{false};
    std::thread thread;
    mutable std::mutex mutex;
    std::vector<std::uint8_t> bytes;
    ArrivalTimes pieces;
};
