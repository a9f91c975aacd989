// On Windows the platform's own waveform-audio records, constants and calls (winmm) replace
// ours.
#pragma once

#include <windows.h>

#include <mmsystem.h>
