// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the headless relay on virtual devices: the virtual clock moves from one device
// event to the next and the notifications are handled after each step, as they would be
// on the UI thread with real devices.
#pragma once

#include "support/headlessrelay.h"
#include "platform/wave/sim/simwaveservice.h"

constexpr SimTime SimSecond = 1'000'000'000;

// Runs the relay until virtual time `end`.
void RunUntil(SimWaveService& sim, HeadlessRelay& relay, SimTime end);

// The virtual time one block of the engine's current format lasts.
SimTime BlockDuration(const DuctEngine& engine);
