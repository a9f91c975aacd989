// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/pulse/devicepresence.h"
#include "platform/wave/pulse/pulseconnection.h"

#include <cstdint>

namespace {
struct PresenceQuery {
    PulseConnection* connection;
    bool answered = false;
    MMRESULT result = MMSYSERR_BADDEVICEID;
};

bool AnyPcm(pa_format_info* const* formats, std::uint8_t count)
{
    for (std::uint8_t n = 0; n < count; ++n) {
        if (pa_format_info_is_pcm(formats[n]))
            return true;
    }
    // A server that lists no formats converts any PCM.
    return count == 0;
}

// The info arrives once (eol 0), then the end of the list; a missing device only as an
// error end (eol < 0).
template <typename Info>
void OnInfo(pa_context*, const Info* info, int eol, void* userdata)
{
    auto* query = static_cast<PresenceQuery*>(userdata);
    if (info)
        query->result =
            AnyPcm(info->formats, info->n_formats) ? MMSYSERR_NOERROR : WAVERR_BADFORMAT;
    if (eol == 0)
        return;
    query->answered = true;
    query->connection->Signal();
}
}

MMRESULT CheckDevicePresent(PulseConnection& connection, bool capture, const std::string& name)
{
    CHECK_RULE(connection.LockHeld(), "a device looked up with the lock held");
    PresenceQuery query{&connection};
    pa_context* context = connection.Context();
    const char* device = name.c_str();
    pa_operation* operation =
        capture ? pa_context_get_source_info_by_name(context, device, OnInfo<pa_source_info>, &query)
                : pa_context_get_sink_info_by_name(context, device, OnInfo<pa_sink_info>, &query);
    if (!operation) {
        connection.ReportFailure(capture ? "pa_context_get_source_info_by_name"
                                         : "pa_context_get_sink_info_by_name");
        return MMSYSERR_NODRIVER;
    }
    const bool answered =
        connection.WaitFor([&] { return query.answered || !connection.Connected(); },
                           PulseConnection::ServerTimeoutMs);
    // An answer that comes after the wait must not reach the query on this stack.
    if (pa_operation_get_state(operation) == PA_OPERATION_RUNNING)
        pa_operation_cancel(operation);
    pa_operation_unref(operation);
    return answered && connection.Connected() ? query.result : MMSYSERR_NODRIVER;
}
