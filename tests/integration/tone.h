// SPDX-License-Identifier: GPL-3.0-or-later
// Measuring a recorded tone: samples of the first channel as -1..1, the level of one
// frequency by Goertzel, the frequency by zero crossings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct PcmLayout {
    unsigned rate;
    unsigned bits;      // 8 (unsigned) or 16 (signed little-endian)
    unsigned channels;
};

std::vector<float> FirstChannel(const std::uint8_t* data, std::size_t size,
                                const PcmLayout& layout);
// RMS amplitude of the component at `frequency` (a full-scale sine gives about 0.707).
double ToneLevel(const float* samples, std::size_t count, double frequency, unsigned rate);
// Frequency from the rising zero crossings, mean removed.
double ZeroCrossingFrequency(const float* samples, std::size_t count, unsigned rate);
// The first window (of `window` samples) whose tone level reaches `threshold`, or -1.
long FirstToneWindow(const std::vector<float>& samples, std::size_t window, double frequency,
                     unsigned rate, double threshold);
// Windows at or after `from` whose tone level is below `threshold`.
std::size_t QuietWindows(const std::vector<float>& samples, std::size_t from, std::size_t window,
                         double frequency, unsigned rate, double threshold);
// A sine of `frequency` at `amplitude` (0..1) in the given layout.
std::vector<std::uint8_t> MakeTone(const PcmLayout& layout, double frequency, double amplitude,
                                   std::size_t frames);
