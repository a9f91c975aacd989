// SPDX-License-Identifier: GPL-3.0-or-later
// Dates a moment of a stream's start (when its first byte was heard, or recorded) from several
// timing answers asked a few milliseconds apart. The server counts a stream's bytes once a
// graph cycle and answers some time after: each answer dates the moment at the latest, one
// answer up to a whole cycle (23 ms) late, and the earliest of answers at varied moments of
// the cycle is close to the truth. Used with the lock held.
#pragma once

#include "platform/wave/pulse/timingrequest.h"

#include <pulse/stream.h>

#include <cstdint>
#include <optional>

class StartDating {
public:
    // What one answer dates, in pa_rtclock_now()'s microseconds; empty if it dates nothing.
    using Reading = std::optional<std::int64_t> (*)(pa_stream* stream);
    // The earliest date after the last answer; `answered` false if the server refused one.
    using Done = void (*)(void* userdata, bool answered, std::optional<std::int64_t> earliest);

    explicit StartDating(PulseConnection& connection) : connection(connection), request(connection) {}
    ~StartDating();
    StartDating(const StartDating&) = delete;
    StartDating& operator=(const StartDating&) = delete;

    // False when the first request could not be sent.
    bool Begin(pa_stream* stream, Reading reading, Done done, void* userdata);
    void Cancel();
    bool Busy() const { return stream != nullptr; }

private:
    bool Ask();
    void Finish(bool answered);
    static void OnTimer(pa_mainloop_api* api, pa_time_event* event, const timeval* tv, void* userdata);
    static void OnAnswer(pa_stream* s, int success, void* userdata);

    PulseConnection& connection;
    TimingRequest request;
    pa_stream* stream = nullptr;  // while dating
    Reading reading = nullptr;
    Done done = nullptr;
    void* userdata = nullptr;
    pa_time_event* timer = nullptr;
    int answers = 0;
    std::optional<std::int64_t> earliest;
};
