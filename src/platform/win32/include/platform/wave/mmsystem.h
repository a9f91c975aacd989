// SPDX-License-Identifier: GPL-3.0-or-later
// On Windows the platform's own waveform-audio records, constants and calls (winmm) replace
// ours.
#pragma once

#include <windows.h>

#include <mmsystem.h>
