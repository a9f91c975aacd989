// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/headlessrelay.h"

#include "support/relaysetup.h"

HeadlessRelay::HeadlessRelay(WaveService& service)
    : window(&queue), engine(service, window)
{
}

HeadlessRelay::~HeadlessRelay()
{
    Pump();
    if (engine.Running())
        engine.StopRelay();
}

DuctEngine& HeadlessRelay::Engine()
{
    return engine;
}

FakeWindow& HeadlessRelay::Window()
{
    return window;
}

MessageQueue& HeadlessRelay::Queue()
{
    return queue;
}

void HeadlessRelay::Configure(DWORD samplesPerSec, bool bits16, bool stereo, int bufset,
                              int inDeviceId, int outDeviceId)
{
    SetUpRelay(engine, window, samplesPerSec, bits16, stereo, bufset, inDeviceId,
               outDeviceId);
}

bool HeadlessRelay::Start()
{
    if (!engine.QueryDevices())
        return false;
    engine.StartRelay();
    return true;
}

void HeadlessRelay::Stop()
{
    Pump();
    engine.StopRelay();
}

int HeadlessRelay::Pump()
{
    // Only what is queued now: a notification posted meanwhile waits for the next pump.
    int handled = 0;
    for (std::size_t n = queue.Size(); n > 0; --n) {
        const auto message = queue.TryTake();
        if (!message)
            break;
        engine.OnMessage(message->msg);
        ++handled;
    }
    return handled;
}

void HeadlessRelay::PumpFor(std::chrono::milliseconds duration)
{
    const auto deadline = std::chrono::steady_clock::now() + duration;
    while (const auto message = queue.TakeUntil(deadline))
        engine.OnMessage(message->msg);
}
