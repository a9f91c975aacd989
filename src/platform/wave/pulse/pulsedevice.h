// SPDX-License-Identifier: GPL-3.0-or-later
// What a capture and a playback device share: one stream on one server device, the headers
// in the order they were handed over, their completion notifications, and the state after
// the server or the device went away. Every member runs with the backend's lock held.
#pragma once

#include "platform/wave/mmsystem.h"
#include "platform/wave/pulse/pulseconnection.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

class PulseDevice {
public:
    PulseDevice(PulseConnection& connection, const pa_sample_spec& sampleSpec, std::string deviceName,
                HWND window, WPARAM handle, UINT doneMessage);
    virtual ~PulseDevice() = default;
    PulseDevice(const PulseDevice&) = delete;
    PulseDevice& operator=(const PulseDevice&) = delete;

    // Connects the first stream; the error code if that failed at once.
    MMRESULT Open();
    MMRESULT Queue(LPWAVEHDR header, UINT size);
    // Returns every queued header done, in order.
    MMRESULT Reset();
    bool HasQueued() const { return !queue.empty(); }
    // The code that calls return once the server or the device is gone, else 0.
    MMRESULT Lost() const { return lost; }
    void Post(UINT msg, LPARAM lParam) const;

protected:
    struct QueuedHeader {
        LPWAVEHDR header;
        std::uint64_t end = 0;  // playback: stream position after its last byte
    };

    virtual int ConnectStream(const char* device, pa_stream_flags_t flags) = 0;
    virtual void OnReady() = 0;
    virtual void OnQueued() = 0;
    // After a reset has returned the headers.
    virtual void OnReset() = 0;
    // Drops what belongs to the stream being released (timers, positions).
    virtual void ForgetStream() = 0;

    // False (and the device lost) if no stream could be connected.
    bool EnsureStream();
    void CompleteFront();
    void Lose();
    // A libpulse call failed: its name and the server's reason go to stderr, then Lose.
    void Fail(const char* call);
    // Only whole frames of a header's buffer go to the server.
    DWORD WholeFrames(DWORD length) const;
    // Releases the stream; done before the object goes (a derived destructor calls it).
    void ReleaseStream();

    PulseConnection& connection;
    const pa_sample_spec sampleSpec;
    std::deque<QueuedHeader> queue;
    pa_stream* stream = nullptr;

private:
    bool Connect();
    // The stream is ready or gone: nobody waits for its answer any more.
    void Settle();
    static void OnState(pa_stream* s, void* userdata);

    const std::string deviceName;  // empty: the server's default, and the stream may move
    HWND window;
    WPARAM handle;
    UINT doneMessage;
    MMRESULT lost = MMSYSERR_NOERROR;
    std::optional<PulseConnection::Hurry> connecting;  // while a stream is being connected
};
