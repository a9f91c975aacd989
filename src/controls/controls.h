// SPDX-License-Identifier: GPL-3.0-or-later
// The window's option controls and device lists, as the engine, the settings and the window
// all name them.
#pragma once

// The three rate buttons and the two format check boxes, in tab order.
enum class Option { rate44100, rate22050, rate11025, sixteenBits, stereo };
constexpr int OptionCount = 5;

enum class DeviceList { outputList, inputList };
