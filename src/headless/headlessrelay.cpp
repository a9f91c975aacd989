#include "headless/headlessrelay.h"

HeadlessRelay::HeadlessRelay(WaveService& service)
    : service(service), window(&queue), engine(service, window)
{
}

HeadlessRelay::~HeadlessRelay()
{
    Pump();
    if (engine.InOpen || engine.OutOpen)
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
    window.SetChecked(OptionControl::RB4410, samplesPerSec == 44100);
    window.SetChecked(OptionControl::RB2205, samplesPerSec == 22050);
    window.SetChecked(OptionControl::RB1102, samplesPerSec == 11025);
    window.SetChecked(OptionControl::CB_16bit, bits16);
    window.SetChecked(OptionControl::CB_Stereo, stereo);
    window.SetBufsetPosition(bufset);
    engine.InDeviceId = inDeviceId;
    engine.OutDeviceId = outDeviceId;
    ReadCaps();
}

void HeadlessRelay::ReadCaps()
{
    const UINT inDevice = static_cast<UINT>(engine.InDeviceId);
    const UINT outDevice = static_cast<UINT>(engine.OutDeviceId);
    engine.CheckInError(service.waveInGetDevCapsA(inDevice, &engine.InCaps, sizeof(WAVEINCAPSA)),
                        "WaveInGetDevCaps");
    engine.CheckOutError(
        service.waveOutGetDevCapsA(outDevice, &engine.OutCaps, sizeof(WAVEOUTCAPSA)),
        "WaveOutGetDevCaps");
    engine.UpdateCaps();
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
    engine.UpdateCaps();
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
