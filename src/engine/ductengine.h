// SPDX-License-Identifier: GPL-3.0-or-later
// The relay engine: one instance, owned by the main window. It turns the window's options
// into a PCM format and block size, opens the two devices and moves each recorded block
// through the ring to the playback device as the devices' notifications arrive.
// Everything runs on the thread that owns the window.
#pragma once

#include "engine/blockring.h"
#include "engine/buffers.h"
#include "engine/relaywindow.h"
#include "platform/globalmem.h"
#include "platform/wave/waveservice.h"

#include <array>
#include <cstdint>
#include <deque>

class DuctEngine {
public:
    static constexpr int HeaderCount = RelayBuffers::HeaderCount;

    DuctEngine(WaveService& service, RelayWindow& window);
    DuctEngine(const DuctEngine&) = delete;
    DuctEngine& operator=(const DuctEngine&) = delete;

    // The devices chosen in the lists (-1: WAVE_MAPPER). Reads the device's capabilities,
    // with a box if it cannot, and what both devices allow with them.
    void SelectInDevice(int deviceId);
    void SelectOutDevice(int deviceId);
    int InDevice() const { return InDeviceId; }
    int OutDevice() const { return OutDeviceId; }
    // Whether both devices take the rate, and the rate with 16 bits or stereo.
    bool Allows(Option rate) const;
    bool Allows(Option rate, Option form) const;

    // The format query of the Start button; a box and false if a device refuses.
    bool QueryDevices();
    void StartRelay();
    void StopRelay();
    // A relay runs while either device is open: a press of the button stops it.
    bool Running() const { return InOpen || OutOpen; }
    bool CaptureOpen() const { return InOpen; }
    bool PlaybackOpen() const { return OutOpen; }

    // A device notification from the window's message loop. Notifications that arrive while
    // an engine message box is open are held and handled in order once the engine operation
    // that showed it has finished.
    void OnMessage(UINT msg);

    // What the last relay ran with and what it did, for diagnostics.
    struct Counts {
        std::uint64_t overruns;  // recorded blocks dropped because the ring was full
        std::uint64_t underruns;  // silences played because nothing was recorded
        std::uint64_t inHeldBlocks;  // blocks kept from a capture device that is gone
        std::uint64_t outHeldBlocks;  // and from a playback device that is gone
    };
    Counts RelayCounts() const;
    const PCMWAVEFORMAT& SoundFormat() const { return PcmFormat; }
    LONG BlockLength() const { return BlockSize; }

private:
    // Marks the time spent inside an engine operation. Notifications are held while any is
    // running and handled in order when the outermost one ends, so no header operation can
    // begin while another one is between its call and its error check.
    class Entry {
    public:
        explicit Entry(DuctEngine& engine);
        ~Entry();
        Entry(const Entry&) = delete;
        Entry& operator=(const Entry&) = delete;

    private:
        DuctEngine& engine;
    };

    // Stream format and what both devices allow
    void SetupFormat();
    void UpdateCaps();

    void FreeBuffers();

    // Device operations, each checked, with a box for a failed one
    bool OpenIn();
    bool OpenOut();
    void StartIn();
    void ResetIn();
    void ResetOut();
    void CloseIn();
    void CloseOut();
    void PrepareIn(int i);
    void AddIn(int i);
    void UnprepareIn(int i);
    void PrepareOut(int i);
    void WriteOut(int i);
    void UnprepareOut(int i);
    bool CheckInError(MMRESULT code, LPCSTR caption);
    bool CheckOutError(MMRESULT code, LPCSTR caption);
    using ErrorTextCall = MMRESULT (WaveService::*)(MMRESULT, LPSTR, UINT);
    bool CheckError(MMRESULT code, LPCSTR caption, ErrorTextCall errorText, bool held);
    LPCWAVEFORMATEX Format() const;
    DWORD_PTR Callback();

    // Relay
    void StartCapture();
    void PreRoll();
    void RefillOut(int i);
    bool SkipUnqueuedIn();
    void UnprepareAll(int& position, void (DuctEngine::*unprepare)(int));
    void ReportHeld() const;
    void OnWimOpen();
    void OnWimClose();
    void OnWomOpen();
    void OnWomClose();
    void OnWimData();
    void OnWomDone();
    void Dispatch(UINT msg);
    void DrainHeld();

    WaveService& service;
    RelayWindow& window;

    PCMWAVEFORMAT PcmFormat{};
    LONG BlockSize = 0;
    // Per rate (11.025, 22.05, 44.1 kHz): whether both devices take it in any form, in 16
    // bits and in stereo. All allowed until the devices are known.
    std::array<bool, 9> CapsTable{true, true, true, true, true, true, true, true, true};
    WAVEINCAPSA InCaps{};
    WAVEOUTCAPSA OutCaps{};
    int InDeviceId = 0;
    int OutDeviceId = 0;

    RelayBuffers Buffers;
    HWAVEIN WaveInHandle = nullptr;
    HWAVEOUT WaveOutHandle = nullptr;

    BlockRing Ring;

    // InOpen and OutOpen follow the devices' open and close notifications; a reset clears
    // them first, so that the headers it returns are not handled. Switching is set while
    // a start or stop sequence runs, Stopping from a stop until the next start.
    bool InOpen = false;
    bool OutOpen = false;
    bool Switching = false;
    bool Stopping = false;
    // Without WAVECAPS_SYNC the playback device takes all four headers queued; with it one
    // at a time.
    bool MultiOut = false;
    int InPos = 0;
    int OutPos = 0;
    // The playback entry that found the ring empty and waits for the next recorded block, or
    // -1. The platform posts the two devices' notifications in no fixed order: the playback
    // one for a block often comes a few milliseconds before the capture one that fills it.
    int WaitingOut = -1;

    // A side whose device reported itself gone is held: its blocks and calls go to the
    // device no more until Stop, since each would only fail again with the same box. The
    // counts are the blocks held back so.
    bool InHeld = false;
    bool OutHeld = false;
    std::uint64_t InHeldBlocks = 0;
    std::uint64_t OutHeldBlocks = 0;

    int entryDepth = 0;
    bool draining = false;
    std::deque<UINT> heldMessages;
};
