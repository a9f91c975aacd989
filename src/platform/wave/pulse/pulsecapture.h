// SPDX-License-Identifier: GPL-3.0-or-later
// A capture device: a record stream whose data fills the queued headers in queue order; a
// header is returned (done, bytes recorded, MM_WIM_DATA) when full or on reset. The stream
// runs from the open on and its data is dropped until the start; the first header begins with
// what the device recorded at the start, whenever the server's stream itself began.
#pragma once

#include "platform/wave/pulse/pulsedevice.h"
#include "platform/wave/pulse/startdating.h"

class PulseCapture : public PulseDevice {
public:
    PulseCapture(PulseConnection& connection, const pa_sample_spec& sampleSpec, std::string deviceName,
                 HWND window, WPARAM handle);
    ~PulseCapture() override;

    MMRESULT Start();

private:
    int ConnectStream(const char* device, pa_stream_flags_t flags) override;
    void OnReady() override;
    void OnQueued() override;
    void OnReset() override;
    void ForgetStream() override;

    // data == nullptr: a hole in the recording, filled with silence.
    void Deliver(const BYTE* data, std::size_t size);
    // Pads or skips the recording so that it begins at the start: `recordedAt` dates the next
    // byte to read.
    void AlignToStart(std::optional<std::int64_t> recordedAt);
    void ReadAll();
    static void OnRead(pa_stream* s, std::size_t length, void* userdata);
    static void OnDated(void* userdata, bool answered, std::optional<std::int64_t> recordedAt);

    bool started = false;
    pa_usec_t startedAt = 0;
    bool aligning = false;         // data is held until the start is dated
    std::uint64_t toSkip = 0;      // bytes recorded before the start, still to drop
    StartDating dating{connection};
};
