// Helpers shared by the tests that talk to the private server: formats, header blocks,
// finding a device by its description, the relay of the fixture's tone, and the server's
// folder and pid.
#pragma once

#include "headless/headlessrelay.h"
#include "platform/wave/waveservice.h"
#include "tone.h"

#include <string>
#include <vector>

PCMWAVEFORMAT Pcm(const PcmLayout& layout);
LPCWAVEFORMATEX AsFormat(const PCMWAVEFORMAT& format);

// A header with its own block.
struct Block {
    explicit Block(std::size_t size);
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;
    std::vector<char> data;
    WAVEHDR header{};
};

// The device number whose product name is `name`, or -1.
int FindInDevice(WaveService& service, const std::string& name);
int FindOutDevice(WaveService& service, const std::string& name);

// Sets the relay to carry the fixture's tone from the mic's monitor to the speakers, in
// `layout` with the shortest blocks (0.3 s); a fatal failure when either device is missing.
void ConfigureToneRelay(WaveService& service, HeadlessRelay& relay, const PcmLayout& layout);

// The test server's folder (PHONODUCT_PULSE_DIR).
std::string ServerDir();
// Kills the test server's daemon at once; false when its pid is not known.
bool KillServer();
// Runs pactl against the test server, or the server at `server`; its standard output.
std::string Pactl(const std::string& arguments, const std::string& server = {});

// Bytes per second of a layout.
std::size_t BytesPerSecond(const PcmLayout& layout);
