// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a device of the snapshot is still on the server and takes PCM: a device removed
// since the lists were filled, or one that plays only passthrough formats, fails at once.
#pragma once

#include "platform/wave/mmsystem.h"

#include <string>

class PulseConnection;

// Lock held, context ready. 0, MMSYSERR_BADDEVICEID (gone), WAVERR_BADFORMAT (no PCM) or
// MMSYSERR_NODRIVER (the server did not answer).
MMRESULT CheckDevicePresent(PulseConnection& connection, bool capture, const std::string& name);
