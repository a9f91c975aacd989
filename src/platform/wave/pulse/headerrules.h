// The platform's rules for wave headers (prepare, queue, unprepare, completion) and their
// result codes, apart from any device.
#pragma once

#include "platform/wave/mmsystem.h"

MMRESULT PrepareHeader(LPWAVEHDR header, UINT size);
MMRESULT UnprepareHeader(LPWAVEHDR header, UINT size);
// Whether a header may be queued with a device now.
MMRESULT CheckQueueable(LPWAVEHDR header, UINT size);
void MarkQueued(LPWAVEHDR header);
void MarkDone(LPWAVEHDR header);
