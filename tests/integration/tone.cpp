// SPDX-License-Identifier: GPL-3.0-or-later
#include "tone.h"

#include <cmath>
#include <numbers>
#include <numeric>

std::vector<float> FirstChannel(const std::uint8_t* data, std::size_t size, const PcmLayout& layout)
{
    const std::size_t frameBytes = layout.channels * layout.bits / 8;
    std::vector<float> samples;
    samples.reserve(size / frameBytes);
    for (std::size_t at = 0; at + frameBytes <= size; at += frameBytes) {
        if (layout.bits == 8) {
            samples.push_back((static_cast<int>(data[at]) - 128) / 128.0f);
        } else {
            const auto value = static_cast<std::int16_t>(data[at] | (data[at + 1] << 8));
            samples.push_back(value / 32768.0f);
        }
    }
    return samples;
}

double ToneLevel(const float* samples, std::size_t count, double frequency, unsigned rate)
{
    if (count == 0)
        return 0.0;
    const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * frequency / rate);
    double s1 = 0.0;
    double s2 = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double s0 = samples[i] + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    return std::sqrt(std::max(power, 0.0)) * std::sqrt(2.0) / count;
}

double ZeroCrossingFrequency(const float* samples, std::size_t count, unsigned rate)
{
    if (count < 2)
        return 0.0;
    const double mean = std::accumulate(samples, samples + count, 0.0) / count;
    std::size_t first = 0;
    std::size_t last = 0;
    std::size_t crossings = 0;
    for (std::size_t i = 1; i < count; ++i) {
        if (samples[i - 1] - mean < 0 && samples[i] - mean >= 0) {
            if (crossings == 0)
                first = i;
            last = i;
            ++crossings;
        }
    }
    if (crossings < 2)
        return 0.0;
    return (crossings - 1) * static_cast<double>(rate) / (last - first);
}

long FirstToneWindow(const std::vector<float>& samples, std::size_t window, double frequency,
                     unsigned rate, double threshold)
{
    for (std::size_t at = 0; at + window <= samples.size(); at += window) {
        if (ToneLevel(samples.data() + at, window, frequency, rate) >= threshold)
            return static_cast<long>(at / window);
    }
    return -1;
}

std::size_t QuietWindows(const std::vector<float>& samples, std::size_t from, std::size_t window,
                         double frequency, unsigned rate, double threshold)
{
    std::size_t quiet = 0;
    for (std::size_t at = from; at + window <= samples.size(); at += window) {
        if (ToneLevel(samples.data() + at, window, frequency, rate) < threshold)
            ++quiet;
    }
    return quiet;
}

std::vector<std::uint8_t> MakeTone(const PcmLayout& layout, double frequency, double amplitude,
                                   std::size_t frames)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < frames; ++i) {
        const double phase = 2.0 * std::numbers::pi * frequency * i / layout.rate;
        const double value = amplitude * std::sin(phase);
        for (unsigned c = 0; c < layout.channels; ++c) {
            if (layout.bits == 8) {
                bytes.push_back(static_cast<std::uint8_t>(std::lround(128 + 127 * value)));
            } else {
                const auto sample = static_cast<std::int16_t>(std::lround(32767 * value));
                bytes.push_back(static_cast<std::uint8_t>(sample & 0xFF));
                bytes.push_back(static_cast<std::uint8_t>((sample >> 8) & 0xFF));
            }
        }
    }
    return bytes;
}
