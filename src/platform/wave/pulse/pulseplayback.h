// SPDX-License-Identifier: GPL-3.0-or-later
// A playback device: each queued header goes to a playback stream whole, at once; a header is
// returned (done, MM_WOM_DONE) once the stream's clock has passed its last byte. The clock is
// read when a header's end is due, not polled: a relay of long blocks wakes a few times a block.
// The first header is heard from the moment it was queued on: what a late start would have
// played by then is skipped.
#pragma once

#include "platform/wave/pulse/pulsedevice.h"
#include "platform/wave/pulse/startdating.h"
#include "platform/wave/pulse/timingrequest.h"

#include <optional>

class PulsePlayback : public PulseDevice {
public:
    PulsePlayback(PulseConnection& connection, const pa_sample_spec& sampleSpec,
                  std::string deviceName, HWND window, WPARAM handle);
    ~PulsePlayback() override;

private:
    int ConnectStream(const char* device, pa_stream_flags_t flags) override;
    void OnReady() override;
    void OnQueued() override;
    void OnReset() override;
    void ForgetStream() override;

    // Writes the headers not yet written, whole.
    void Feed();
    // Returns the headers the clock has passed and arms the timer for the next one's end.
    void CheckPlayed();
    // Brings the stream's start forward over what the device rendered before it joined.
    void CatchUp(const pa_timing_info& info);
    // Once the stream plays: when its first byte was heard.
    void DateStart();
    // Skips the sound due before the stream's late start.
    void SkipLateStart(std::optional<std::int64_t> heardAt);
    // Silence after data the server holds back while paused.
    void PadTail();
    void Arm(pa_usec_t delay);
    static void OnTimer(pa_mainloop_api* api, pa_time_event* event, const timeval* tv,
                        void* userdata);
    static void OnTiming(pa_stream* s, int success, void* userdata);
    static void OnStarted(pa_stream* s, void* userdata);
    static void OnDated(void* userdata, bool answered, std::optional<std::int64_t> heardAt);

    std::size_t written = 0;       // headers at the queue's front written to the stream
    std::uint64_t position = 0;    // bytes written to this stream
    static constexpr std::uint64_t NotLooked = UINT64_MAX;
    std::uint64_t lastHanded = NotLooked;  // the read index at the previous check
    std::optional<pa_usec_t> due;  // when the stream's first byte was due, until its start is dated
    pa_time_event* timer = nullptr;
    bool armed = false;
    TimingRequest timing{connection};
    StartDating dating{connection};
};
