// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/pulse/startdating.h"

#include <pulse/rtclock.h>

#include <algorithm>
#include <cassert>

namespace {
// Eight answers 7 ms apart meet a 23 ms cycle at moments some 3 ms apart, within 60 ms.
constexpr int Answers = 8;
constexpr pa_usec_t SpacingUsec = 7 * PA_USEC_PER_MSEC;
}

StartDating::~StartDating()
{
    // The owner cancels with its stream: neither timer nor answer may outlive it.
    assert(!stream && !timer);
}

bool StartDating::Begin(pa_stream* s, Reading read, Done finished, void* data)
{
    assert(!stream);
    stream = s;
    reading = read;
    done = finished;
    userdata = data;
    answers = 0;
    earliest.reset();
    if (Ask())
        return true;
    stream = nullptr;
    return false;
}

void StartDating::Cancel()
{
    request.Cancel();
    if (timer) {
        connection.Api()->time_free(timer);
        timer = nullptr;
    }
    stream = nullptr;
}

bool StartDating::Ask()
{
    return request.Ask(stream, OnAnswer, this);
}

void StartDating::Finish(bool answered)
{
    const std::optional<std::int64_t> date = earliest;
    Cancel();
    done(userdata, answered, date);
}

void StartDating::OnAnswer(pa_stream*, int success, void* userdata)
{
    auto* dating = static_cast<StartDating*>(userdata);
    dating->request.Answered();
    if (!success)
        return dating->Finish(false);
    if (const std::optional<std::int64_t> date = dating->reading(dating->stream))
        dating->earliest = std::min(*date, dating->earliest.value_or(*date));
    if (++dating->answers == Answers)
        return dating->Finish(true);
    pa_context* context = pa_stream_get_context(dating->stream);
    const pa_usec_t when = pa_rtclock_now() + SpacingUsec;
    if (dating->timer)
        pa_context_rttime_restart(context, dating->timer, when);
    else
        dating->timer = pa_context_rttime_new(context, when, OnTimer, dating);
    if (!dating->timer)
        dating->Finish(true);
}

void StartDating::OnTimer(pa_mainloop_api*, pa_time_event*, const timeval*, void* userdata)
{
    auto* dating = static_cast<StartDating*>(userdata);
    if (!dating->Ask())
        dating->Finish(false);
}
