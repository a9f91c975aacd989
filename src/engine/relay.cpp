// SPDX-License-Identifier: GPL-3.0-or-later
// The start and stop sequences of a relay and the handlers of the device notifications.
#include "engine/ductengine.h"
#include "platform/sleep.h"

#include <cstdio>
#include <cstring>
#include <utility>

namespace {
constexpr DWORD StopPause = 100;

int NextEntry(int position)
{
    return (position + 1) % DuctEngine::HeaderCount;
}
}

DuctEngine::DuctEngine(WaveService& service, RelayWindow& window)
    : service(service), window(window)
{
}

void DuctEngine::StartRelay()
{
    Entry entry(*this);
    Switching = true;
    Stopping = false;
    SetupFormat();
    if (!Buffers.Alloc(BlockSize, Ring)) {
        CheckInError(MMSYSERR_NOMEM, "GlobalAlloc");
        FreeBuffers();
        Switching = false;
        return;
    }
    // Positions left by the last relay would make the reader trail or lead the writer.
    Ring.PutPos = 0;
    Ring.GetPos = 0;
    Ring.Silence = PcmFormat.wBitsPerSample == 8 ? 128 : 0;
    Ring.Overruns = 0;
    Ring.Underruns = 0;
    InHeld = OutHeld = false;
    InHeldBlocks = OutHeldBlocks = 0;
    WaitingOut = -1;

    const bool inOpened = OpenIn();
    if (inOpened)
        StartCapture();
    MultiOut = (OutCaps.dwSupport & WAVECAPS_SYNC) == 0;
    const bool outOpened = OpenOut();
    if (outOpened)
        PreRoll();
    // No stop follows a relay with no open device, so its blocks go now.
    if (!inOpened && !outOpened)
        FreeBuffers();
    Switching = false;
}

void DuctEngine::StartCapture()
{
    for (int i = 0; i < HeaderCount; ++i) {
        if (InHeld) {
            ++InHeldBlocks;
            continue;
        }
        if (!Buffers.InHeaders[i].Prepared) {
            PrepareIn(i);
            AddIn(i);
        }
    }
    InPos = 0;
    StartIn();
}

void DuctEngine::PreRoll()
{
    // Silence, not zero bytes: zero is the lowest level of an 8-bit sample.
    const int count = MultiOut ? HeaderCount : 1;
    for (int i = 0; i < count; ++i) {
        if (OutHeld) {
            ++OutHeldBlocks;
            continue;
        }
        std::memset(Buffers.OutHeaders[i].Header->lpData, Ring.Silence, Buffers.OutHeaders[i].Header->dwBufferLength);
        if (!Buffers.OutHeaders[i].Prepared)
            PrepareOut(i);
        WriteOut(i);
    }
    OutPos = 0;
}

void DuctEngine::StopRelay()
{
    Entry entry(*this);
    Switching = true;
    Stopping = true;
    if (InOpen) {
        ResetIn();
        Sleep(StopPause);
        UnprepareAll(InPos, &DuctEngine::UnprepareIn);
        CloseIn();
    }
    if (OutOpen) {
        ResetOut();
        Sleep(StopPause);
        // In single mode only the header last written is prepared; it too goes back first.
        UnprepareAll(OutPos, &DuctEngine::UnprepareOut);
        CloseOut();
    }
    Sleep(StopPause);
    FreeBuffers();
    ReportHeld();
    // The next relay may find the devices back; its query and start report afresh.
    InHeld = OutHeld = false;
    WaitingOut = -1;
    Switching = false;
}

void DuctEngine::FreeBuffers()
{
    // A box for a release that failed holds the notifications too.
    Entry entry(*this);
    Buffers.Free(window, Ring);
}

DuctEngine::Counts DuctEngine::RelayCounts() const
{
    return {Ring.Overruns, Ring.Underruns, InHeldBlocks, OutHeldBlocks};
}

void DuctEngine::ReportHeld() const
{
    // The user saw one box per side; what that box stood for is kept here.
    if (InHeldBlocks > 0)
        std::fprintf(stderr, "phonoduct: capture device gone, %llu blocks held until Stop\n",
                     static_cast<unsigned long long>(InHeldBlocks));
    if (OutHeldBlocks > 0)
        std::fprintf(stderr, "phonoduct: playback device gone, %llu blocks held until Stop\n",
                     static_cast<unsigned long long>(OutHeldBlocks));
}

void DuctEngine::UnprepareAll(int& position, void (DuctEngine::*unprepare)(int))
{
    (this->*unprepare)(position);
    for (int n = 1; n < HeaderCount; ++n) {
        position = NextEntry(position);
        (this->*unprepare)(position);
    }
}

void DuctEngine::OnWimOpen()
{
    window.DeviceOpened(DeviceList::inputList);
    InOpen = true;
}

void DuctEngine::OnWimClose()
{
    window.DeviceClosed(DeviceList::inputList);
    InOpen = false;
}

void DuctEngine::OnWomOpen()
{
    window.DeviceOpened(DeviceList::outputList);
    OutOpen = true;
}

void DuctEngine::OnWomClose()
{
    window.DeviceClosed(DeviceList::outputList);
    OutOpen = false;
}

bool DuctEngine::SkipUnqueuedIn()
{
    // The device returns its headers in the order they were queued, so the notification
    // belongs to the first queued one from InPos; one that never went out is never returned.
    for (int n = 0; n < HeaderCount; ++n) {
        if (Buffers.InHeaders[InPos].Queued)
            return true;
        InPos = NextEntry(InPos);
    }
    return false;
}

void DuctEngine::OnWimData()
{
    if (Switching || !InOpen || !SkipUnqueuedIn())
        return;
    if (InHeld) {
        ++InHeldBlocks;
        return;
    }
    LPWAVEHDR header = Buffers.InHeaders[InPos].Header;
    while ((header->dwFlags & WHDR_DONE) == 0)
        Sleep(0);
    UnprepareIn(InPos);
    Ring.PutBlock(*header);
    // An unprepare that found the device gone holds the side: its block stays out.
    if (!InHeld) {
        PrepareIn(InPos);
        AddIn(InPos);
    }
    InPos = NextEntry(InPos);
    if (WaitingOut >= 0 && OutOpen)
        RefillOut(std::exchange(WaitingOut, -1));
}

void DuctEngine::OnWomDone()
{
    if (!OutOpen)
        return;
    if (OutHeld) {
        ++OutHeldBlocks;
        return;
    }
    if (Buffers.OutHeaders[OutPos].Prepared)
        UnprepareOut(OutPos);
    if (!MultiOut)
        OutPos = NextEntry(OutPos);
    // An entry still waiting when the next one is done waited a whole block: the device runs
    // dry, so it goes now, with silence if need be, and before the next to keep their order.
    if (WaitingOut >= 0)
        RefillOut(std::exchange(WaitingOut, -1));
    if (Ring.Empty() && !Stopping)
        WaitingOut = OutPos;
    else
        RefillOut(OutPos);
    if (MultiOut)
        OutPos = NextEntry(OutPos);
}

void DuctEngine::RefillOut(int i)
{
    if (OutHeld) {
        ++OutHeldBlocks;
        return;
    }
    Ring.GetBlock(*Buffers.OutHeaders[i].Header, Stopping);
    if (!Buffers.OutHeaders[i].Prepared) {
        PrepareOut(i);
        WriteOut(i);
    }
}
