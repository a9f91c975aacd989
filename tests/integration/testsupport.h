// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the tests that talk to a real audio server, on Linux and under Wine:
// formats, header blocks, finding a device by its description.
#pragma once

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

// Bytes per second of a layout.
std::size_t BytesPerSecond(const PcmLayout& layout);
