// SPDX-License-Identifier: GPL-3.0-or-later
// The relay engine without a window: owns the engine, a window fake and a message queue,
// and hands the queued device notifications to the engine the way the UI thread does.
// Used by tests and benchmarks, with virtual or real devices.
#pragma once

#include "engine/ductengine.h"
#include "support/fakewindow.h"
#include "support/messagequeue.h"

#include <chrono>

class HeadlessRelay {
public:
    explicit HeadlessRelay(WaveService& service);
    // Stops a relay still running, as the main window does when it is destroyed.
    ~HeadlessRelay();
    HeadlessRelay(const HeadlessRelay&) = delete;
    HeadlessRelay& operator=(const HeadlessRelay&) = delete;

    DuctEngine& Engine();
    FakeWindow& Window();
    MessageQueue& Queue();

    // Sets the option controls and the device numbers (-1: WAVE_MAPPER) and reads both
    // devices' capabilities, as the window does when the user picks them.
    void Configure(DWORD samplesPerSec, bool bits16, bool stereo, int bufset,
                   int inDeviceId = -1, int outDeviceId = -1);
    // As the Start button: the format query, then the start. False if the query refused.
    bool Start();
    // As the Stop button. Notifications queued before the press are handled first, as the
    // window's message loop would handle them.
    void Stop();
    // Hands every notification queued now to the engine; returns how many.
    int Pump();
    // Real devices: waits for notifications and handles them for the given wall time.
    void PumpFor(std::chrono::milliseconds duration);

private:
    MessageQueue queue;
    FakeWindow window;
    DuctEngine engine;
};
