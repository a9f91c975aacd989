// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the options, the two device choices and the window position from the registry
// key at window creation, and saving them at window destruction.
#pragma once

#include "platform/registry.h"
#include "settings/settingswindow.h"

#include <string>

// What lies between LoadSettings and SaveSettings: the open key, the stored window position
// after clamping and the values read before they are applied.
struct SettingsState {
    HKEY SettingsKey = nullptr;
    LONG SavedX = 0;
    LONG SavedY = 0;
    bool SettingsLoaded = false;
    LONG Rate = 0;
    LONG Bits = 0;
    LONG Buffers = 0;
    LONG Channels = 0;
    std::string InputDevice;
    std::string OutputDevice;
};

// The program's one state: the key stays open from the first LoadSettings to SaveSettings.
void LoadSettings(SettingsWindow& window);
void SaveSettings(SettingsWindow& window);

void LoadSettings(SettingsWindow& window, SettingsState& state);
void SaveSettings(SettingsWindow& window, SettingsState& state);
