// A playback device: queued headers are written to a playback stream in order, with only a
// short buffer on the server; a header is returned (done, MM_WOM_DONE) once the stream's
// clock has passed its last byte.
#pragma once

#include "platform/wave/pulse/pulsedevice.h"

class PulsePlayback : public PulseDevice {
public:
    PulsePlayback(PulseConnection& connection, const pa_sample_spec& sampleSpec, std::string deviceName,
                  HWND window, WPARAM handle);
    ~PulsePlayback() override;

private:
    int ConnectStream(const char* device, pa_stream_flags_t flags) override;
    void OnReady() override;
    void OnQueued() override;
    void OnReset() override;
    void ForgetStream() override;

    // Writes queued data as far as the server's buffer takes it.
    void Feed();
    // Returns the headers the clock has passed and arms the timer for the next one.
    void CheckPlayed();
    // Silence after data the server holds back while paused.
    void PadTail();
    void Arm(pa_usec_t delay);
    static void OnWritable(pa_stream* s, std::size_t length, void* userdata);
    static void OnTimer(pa_mainloop_api* api, pa_time_event* event, const timeval* tv,
                        void* userdata);
    static void OnTiming(pa_stream* s, int success, void* userdata);

    std::size_t written = 0;       // headers at the queue's front written in full
    DWORD offset = 0;              // bytes written of the next one
    std::uint64_t position = 0;    // bytes written to this stream
    std::uint64_t lastHanded = 0;  // the read index at the previous check
    pa_time_event* timer = nullptr;
    bool armed = false;
    pa_operation* timing = nullptr;
};
