// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's rules for wave headers (prepare, queue, unprepare, completion) and their
// result codes, apart from any device.
#pragma once

#include "platform/wave/mmsystem.h"

#include <cstddef>

MMRESULT PrepareHeader(LPWAVEHDR header, UINT size);
MMRESULT UnprepareHeader(LPWAVEHDR header, UINT size);
// Whether a header may be queued with a device now.
MMRESULT CheckQueueable(LPWAVEHDR header, UINT size);
void MarkQueued(LPWAVEHDR header);
void MarkDone(LPWAVEHDR header);

// Appends recorded bytes to a capture header, up to `capacity`; a hole in the recording
// (data == nullptr) counts as `silence` of its length. The bytes taken.
std::size_t Record(WAVEHDR& header, DWORD capacity, const BYTE* data, std::size_t size,
                   BYTE silence);
