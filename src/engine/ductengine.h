// SPDX-License-Identifier: GPL-3.0-or-later
// The relay engine: one instance, owned by the main window. It turns the window's options
// into a PCM format and block size, opens the two devices and moves each recorded block
// through the ring to the playback device as the devices' notifications arrive.
// Everything runs on the thread that owns the window.
#pragma once

#include "engine/blockring.h"
#include "engine/relaywindow.h"
#include "platform/globalmem.h"
#include "platform/wave/waveservice.h"

#include <array>
#include <cstdint>
#include <deque>

struct HeaderEntry {
    LPWAVEHDR Header = nullptr;
    bool Prepared = false;
    bool Queued = false;  // went to the device since its last prepare
};

class DuctEngine {
public:
    static constexpr int HeaderCount = 4;

    DuctEngine(WaveService& service, RelayWindow& window);
    DuctEngine(const DuctEngine&) = delete;
    DuctEngine& operator=(const DuctEngine&) = delete;

    // Stream format and capability table
    void SetupFormat();
    void UpdateCaps();

    // Buffers. False if a block could not be allocated or locked.
    bool AllocBuffers();
    void FreeBuffers();

    // Device operations
    bool QueryDevices();
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

    // Relay
    void StartRelay();
    void StopRelay();
    void OnWimOpen();
    void OnWimClose();
    void OnWomOpen();
    void OnWomClose();
    void OnWimData();
    void OnWomDone();

    // A device notification from the window's message loop. Notifications that arrive while
    // an engine message box is open are held and handled in order once the engine operation
    // that showed it has finished.
    void OnMessage(UINT msg);

    PCMWAVEFORMAT PcmFormat{};
    LONG BlockSize = 0;
    std::array<bool, 9> CapsTable{};
    WAVEINCAPSA InCaps{};
    WAVEOUTCAPSA OutCaps{};
    int InDeviceId = 0;
    int OutDeviceId = 0;

    std::array<HeaderEntry, HeaderCount> InHeaders{};
    std::array<HeaderEntry, HeaderCount> OutHeaders{};
    std::array<HGLOBAL, HeaderCount> InHeaderHandle{};
    std::array<HGLOBAL, HeaderCount> InDataHandle{};
    std::array<HGLOBAL, HeaderCount> OutHeaderHandle{};
    std::array<HGLOBAL, HeaderCount> OutDataHandle{};
    UINT InHeaderSize = 0;
    UINT OutHeaderSize = 0;
    HWAVEIN WaveInHandle = nullptr;
    HWAVEOUT WaveOutHandle = nullptr;
    bool HeaderBusy = false;

    BlockRing Ring;

    bool InOpen = false;
    bool OutOpen = false;
    bool Switching = false;
    bool Stopping = false;
    bool MultiOut = false;
    int InPos = 0;
    int OutPos = 0;
    // The playback entry that found the ring empty and waits for the next recorded block, or
    // -1. The platform posts the two devices' notifications in no fixed order: the playback
    // one for a block often comes a few milliseconds before the capture one that fills it.
    int WaitingOut = -1;

    // A side whose device reported itself gone from a header operation is held: its blocks
    // go to the device no more until Stop, since each would only fail again with the same
    // box. The counts are the blocks held back so.
    bool InHeld = false;
    bool OutHeld = false;
    std::uint64_t InHeldBlocks = 0;
    std::uint64_t OutHeldBlocks = 0;

private:
    // Marks the time spent inside an engine operation. Notifications are held while any is
    // running and handled in order when the outermost one ends.
    class Entry {
    public:
        explicit Entry(DuctEngine& engine);
        ~Entry();
        Entry(const Entry&) = delete;
        Entry& operator=(const Entry&) = delete;

    private:
        DuctEngine& engine;
    };
    // An engine operation that holds HeaderBusy.
    class HeaderFrame {
    public:
        explicit HeaderFrame(DuctEngine& engine);
        ~HeaderFrame();
        HeaderFrame(const HeaderFrame&) = delete;
        HeaderFrame& operator=(const HeaderFrame&) = delete;

    private:
        Entry entry;
        DuctEngine& engine;
    };

    using ErrorTextCall = MMRESULT (WaveService::*)(MMRESULT, LPSTR, UINT);
    bool CheckError(MMRESULT code, LPCSTR caption, ErrorTextCall errorText);
    LPWAVEHDR AllocHeader(HGLOBAL& headerHandle, HGLOBAL& dataHandle, UINT& headerSize);
    void ReleaseBlock(HGLOBAL& handle, LPCSTR text, LPCSTR caption);
    LPCWAVEFORMATEX Format() const;
    DWORD_PTR Callback();

    void StartCapture();
    void PreRoll();
    void RefillOut(int i);
    bool SkipUnqueuedIn();
    void UnprepareAll(int& position, void (DuctEngine::*unprepare)(int));
    void ReportHeld() const;
    void Dispatch(UINT msg);
    void DrainHeld();

    WaveService& service;
    RelayWindow& window;
    int entryDepth = 0;
    bool draining = false;
    std::deque<UINT> heldMessages;
};
