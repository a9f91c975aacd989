// SPDX-License-Identifier: GPL-3.0-or-later
// The server's playback devices (sinks) and capture devices (sources, sink monitors
// included) as device numbers see them: a snapshot in a stable order.
#pragma once

#include "platform/wave/mmsystem.h"

#include <cstdint>
#include <string>
#include <vector>

class PulseConnection;

struct PulseDeviceEntry {
    std::uint32_t index;  // the server's index: creation order
    std::string name;
    std::string description;
};

struct PulseDeviceList {
    std::vector<PulseDeviceEntry> sinks;
    std::vector<PulseDeviceEntry> sources;
    std::string defaultSink;
    std::string defaultSource;
};

// Lock held, context ready. False (and an empty list) if the server did not answer in time.
bool TakeDeviceSnapshot(PulseConnection& connection, PulseDeviceList& list);

// The description of the device a number selects (WAVE_MAPPER: the default one), or nullptr
// for a number outside the list.
const PulseDeviceEntry* FindDevice(const std::vector<PulseDeviceEntry>& devices,
                                   const std::string& defaultName, UINT deviceId);

// The product name of a capability record: the text cut to MAXPNAMELEN - 1 bytes on a
// UTF-8 character boundary, control characters as spaces, zero-terminated.
void CopyProductName(const std::string& text, CHAR (&name)[MAXPNAMELEN]);
