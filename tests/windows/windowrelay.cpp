// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowrelay.h"

#include "support/relaysetup.h"

namespace {
constexpr char ClassName[] = "PhonoductTestTarget";

HWND CreateMessageWindow(WNDPROC procedure, LPVOID owner)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = ClassName;
    RegisterClassA(&windowClass);  // fails harmlessly for every relay but the first
    HWND hwnd = CreateWindowExA(0, ClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, nullptr);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return hwnd;
}
}

WindowRelay::WindowRelay(WaveService& service)
    : handle(CreateMessageWindow(WindowProc, this)), window(handle),
      engine(service, window)
{
}

WindowRelay::~WindowRelay()
{
    DispatchPosted();
    if (engine.Running())
        engine.StopRelay();
    DispatchPosted();
    DestroyWindow(handle);
}

LRESULT CALLBACK WindowRelay::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg < MM_WOM_OPEN || msg > MM_WIM_DATA)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    // Notifications come only once a device is open, long after the owner was stored.
    auto* relay = reinterpret_cast<WindowRelay*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    ++relay->received[msg];
    relay->engine.OnMessage(msg);
    return 0;
}

void WindowRelay::Configure(DWORD samplesPerSec, bool bits16, bool stereo, int bufset,
                            int inDeviceId, int outDeviceId)
{
    SetUpRelay(engine, window, samplesPerSec, bits16, stereo, bufset, inDeviceId,
               outDeviceId);
}

bool WindowRelay::Start()
{
    if (!engine.QueryDevices())
        return false;
    engine.StartRelay();
    return true;
}

void WindowRelay::Stop()
{
    DispatchPosted();
    engine.StopRelay();
}

void WindowRelay::DispatchPosted()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

void WindowRelay::PumpFor(std::chrono::milliseconds duration)
{
    const auto deadline = std::chrono::steady_clock::now() + duration;
    for (auto now = std::chrono::steady_clock::now(); now < deadline;
         now = std::chrono::steady_clock::now()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()) + 1,
                                  QS_ALLINPUT);
        DispatchPosted();
    }
}

int WindowRelay::Received(UINT msg) const
{
    const auto found = received.find(msg);
    return found == received.end() ? 0 : found->second;
}
