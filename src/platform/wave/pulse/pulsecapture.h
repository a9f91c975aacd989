// SPDX-License-Identifier: GPL-3.0-or-later
// A capture device: a record stream whose data fills the queued headers in queue order; a
// header is returned (done, bytes recorded, MM_WIM_DATA) when full or on reset. The stream
// runs from the open on and its data is dropped until the start, so that recording begins
// at the start without the server's own start-up delay.
#pragma once

#include "platform/wave/pulse/pulsedevice.h"

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
    static void OnRead(pa_stream* s, std::size_t length, void* userdata);

    bool started = false;
};
