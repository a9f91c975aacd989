// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/pulse/timingrequest.h"

#include <cassert>

TimingRequest::~TimingRequest()
{
    // The owner cancels with its stream: an answer must not reach a device that is gone.
    assert(!operation);
}

bool TimingRequest::Ask(pa_stream* stream, pa_stream_success_cb_t answer, void* userdata)
{
    assert(!operation);
    operation = pa_stream_update_timing_info(stream, answer, userdata);
    if (operation)
        hurry.emplace(connection);
    return operation != nullptr;
}

void TimingRequest::Answered()
{
    pa_operation_unref(operation);
    operation = nullptr;
    hurry.reset();
}

void TimingRequest::Cancel()
{
    if (!operation)
        return;
    pa_operation_cancel(operation);
    Answered();
}
