// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's Sleep: blocks the calling thread; 0 gives up the rest of its time slice.
#pragma once

#include "platform/wintypes.h"

void Sleep(DWORD dwMilliseconds);
