// SPDX-License-Identifier: GPL-3.0-or-later
// The private PulseAudio server of the Linux tests: its folder and daemon, pactl against it,
// and the relay of its tone.
#pragma once

#include "support/headlessrelay.h"
#include "platform/wave/waveservice.h"
#include "tone.h"

#include <string>

// The test server's folder (PHONODUCT_PULSE_DIR).
std::string ServerDir();
// Whether the test server is PipeWire's pulse server (pipewire-server.sh marks its folder).
bool OnPipeWire();
// Kills the test server's daemon at once; false when its pid is not known.
bool KillServer();
// Runs pactl against the test server, or the server at `server`; its standard output.
std::string Pactl(const std::string& arguments, const std::string& server = {});

// Sets the relay to carry the fixture's tone from the mic's monitor to the speakers, in
// `layout` with the shortest blocks (0.3 s); a fatal failure when either device is missing.
void ConfigureToneRelay(WaveService& service, HeadlessRelay& relay, const PcmLayout& layout);
