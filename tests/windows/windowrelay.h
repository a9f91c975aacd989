// SPDX-License-Identifier: GPL-3.0-or-later
// The relay engine with a window fake whose handle is a real message-only window: the
// platform's service posts the device notifications to it, and the thread's message loop
// hands them to the engine from the window procedure, as the main window's loop does.
#pragma once

#include "engine/ductengine.h"
#include "support/fakewindow.h"

#include <chrono>
#include <map>

class WindowRelay {
public:
    explicit WindowRelay(WaveService& service);
    // Stops a relay still running, as the main window does when it is destroyed.
    ~WindowRelay();
    WindowRelay(const WindowRelay&) = delete;
    WindowRelay& operator=(const WindowRelay&) = delete;

    DuctEngine& Engine() { return engine; }
    FakeWindow& Window() { return window; }

    // Sets the option controls and the device numbers (-1: WAVE_MAPPER) and reads both
    // devices' capabilities, as the window does when the user picks them.
    void Configure(DWORD samplesPerSec, bool bits16, bool stereo, int bufset, int inDeviceId,
                   int outDeviceId);
    // As the Start button: the format query, then the start. False if the query refused.
    bool Start();
    // As the Stop button, after the notifications already posted.
    void Stop();
    // Runs the thread's message loop for the given wall time.
    void PumpFor(std::chrono::milliseconds duration);
    // How many notifications of a kind the window procedure has handed on.
    int Received(UINT msg) const;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void DispatchPosted();

    HWND handle;
    FakeWindow window;
    DuctEngine engine;
    std::map<UINT, int> received;
};
