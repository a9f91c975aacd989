// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave/pulse/devicelist.h"
#include "platform/wave/pulse/pulseconnection.h"

#include <algorithm>

namespace {
struct SnapshotQuery {
    PulseConnection* connection;
    PulseDeviceList* list;
    int answered = 0;
    bool failed = false;
};

void Finish(SnapshotQuery* query, int eol)
{
    if (eol < 0)
        query->failed = true;
    ++query->answered;
    query->connection->Signal();
}

void OnServerInfo(pa_context*, const pa_server_info* info, void* userdata)
{
    auto* query = static_cast<SnapshotQuery*>(userdata);
    if (info) {
        query->list->defaultSink = info->default_sink_name ? info->default_sink_name : "";
        query->list->defaultSource = info->default_source_name ? info->default_source_name : "";
    }
    Finish(query, info ? 1 : -1);
}

PulseDeviceEntry Entry(std::uint32_t index, const char* name, const char* description)
{
    // An empty description would make an empty entry in a device list.
    const bool described = description && *description;
    return {index, name ? name : "", described ? description : (name ? name : "")};
}

void OnSink(pa_context*, const pa_sink_info* info, int eol, void* userdata)
{
    auto* query = static_cast<SnapshotQuery*>(userdata);
    if (eol)
        return Finish(query, eol);
    query->list->sinks.push_back(Entry(info->index, info->name, info->description));
}

void OnSource(pa_context*, const pa_source_info* info, int eol, void* userdata)
{
    auto* query = static_cast<SnapshotQuery*>(userdata);
    if (eol)
        return Finish(query, eol);
    query->list->sources.push_back(Entry(info->index, info->name, info->description));
}

void SortByIndex(std::vector<PulseDeviceEntry>& devices)
{
    std::sort(devices.begin(), devices.end(),
              [](const auto& a, const auto& b) { return a.index < b.index; });
}
}

bool TakeDeviceSnapshot(PulseConnection& connection, PulseDeviceList& list)
{
    CHECK_RULE(connection.LockHeld(), "devices listed with the lock held");
    list = {};
    SnapshotQuery query{&connection, &list};
    pa_context* context = connection.Context();
    pa_operation* operations[] = {
        pa_context_get_server_info(context, OnServerInfo, &query),
        pa_context_get_sink_info_list(context, OnSink, &query),
        pa_context_get_source_info_list(context, OnSource, &query),
    };
    const char* calls[] = {"pa_context_get_server_info", "pa_context_get_sink_info_list",
                           "pa_context_get_source_info_list"};
    int sent = 0;
    for (std::size_t n = 0; n < std::size(operations); ++n) {
        if (operations[n])
            ++sent;
        else
            connection.ReportFailure(calls[n]);
    }
    const bool answered = connection.WaitFor(
        [&] { return query.answered == sent || !connection.Connected(); },
        PulseConnection::ServerTimeoutMs);
    for (pa_operation* operation : operations) {
        if (!operation)
            continue;
        // An answer that comes after the wait must not reach the query on this stack.
        if (pa_operation_get_state(operation) == PA_OPERATION_RUNNING)
            pa_operation_cancel(operation);
        pa_operation_unref(operation);
    }
    if (!answered || sent < 3 || query.failed || !connection.Connected()) {
        list = {};
        return false;
    }
    SortByIndex(list.sinks);
    SortByIndex(list.sources);
    return true;
}

const PulseDeviceEntry* FindDevice(const std::vector<PulseDeviceEntry>& devices,
                                   const std::string& defaultName, UINT deviceId)
{
    if (deviceId != WAVE_MAPPER)
        return deviceId < devices.size() ? &devices[deviceId] : nullptr;
    auto found = std::find_if(devices.begin(), devices.end(),
                              [&](const auto& d) { return d.name == defaultName; });
    return found != devices.end() ? &*found : nullptr;
}

void CopyProductName(const std::string& text, CHAR (&name)[MAXPNAMELEN])
{
    std::size_t length = std::min<std::size_t>(text.size(), MAXPNAMELEN - 1);
    // Back up over continuation bytes so that no character is split.
    while (length > 0 && length < text.size() && (static_cast<BYTE>(text[length]) & 0xC0) == 0x80)
        --length;
    // A list entry is one line of text: control characters show as spaces.
    std::transform(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length), name,
                   [](char c) { return static_cast<BYTE>(c) < 0x20 || c == 0x7F ? ' ' : c; });
    name[length] = '\0';
}
