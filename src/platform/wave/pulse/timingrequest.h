// SPDX-License-Identifier: GPL-3.0-or-later
// One request for a stream's timing at a time, from Ask until its answer or a cancel; while it
// is out, the connection takes in what the server sends at once. Used with the lock held.
#pragma once

#include "platform/wave/pulse/pulseconnection.h"

#include <pulse/stream.h>

#include <optional>

class TimingRequest {
public:
    explicit TimingRequest(PulseConnection& connection) : connection(connection) {}
    ~TimingRequest();
    TimingRequest(const TimingRequest&) = delete;
    TimingRequest& operator=(const TimingRequest&) = delete;

    // False when the request could not be sent.
    bool Ask(pa_stream* stream, pa_stream_success_cb_t answer, void* userdata);
    // The answer's first step.
    void Answered();
    void Cancel();
    bool Out() const { return operation != nullptr; }

private:
    PulseConnection& connection;
    pa_operation* operation = nullptr;
    std::optional<PulseConnection::Hurry> hurry;  // while `operation` runs
};
