// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings.h"

#include "platform/registrystore.h"
#include "platform/sleep.h"
#include "settings/registryops.h"

#include <cstdio>

namespace {
constexpr const char* KeyPath = "Software\\Halvorn\\Phonoduct";
constexpr const char* DefaultDevice = "Wave Mapper";
constexpr DWORD SettleMilliseconds = 200;

SettingsState programState;

LONG CentreX(const SettingsWindow& window)
{
    return window.ScreenWidth() / 2 - window.OuterWidth() / 2;
}

LONG CentreY(const SettingsWindow& window)
{
    return window.ScreenHeight() / 2 - window.OuterHeight() / 2;
}

void WriteDefaults(const SettingsWindow& window, HKEY key)
{
    WriteDwordValue(key, "Rate", 3);
    WriteDwordValue(key, "Bits", 1);
    WriteDwordValue(key, "Buffers", 7);
    WriteDwordValue(key, "Channels", 2);
    WriteStringValue(key, "InputDevice", DefaultDevice);
    WriteStringValue(key, "OutputDevice", DefaultDevice);
    WriteDwordValue(key, "Xpos", CentreX(window));
    WriteDwordValue(key, "Ypos", CentreY(window));
}

// Opens the key, or creates it with the defaults on the first run; ends the program when
// neither works, since no settings could ever be kept.
void OpenSettingsKey(SettingsWindow& window, SettingsState& state)
{
    if (OpenUserKey(KeyPath, state.SettingsKey) == ERROR_SUCCESS)
        return;
    LONG status = CreateUserKey(KeyPath, state.SettingsKey);
    if (status != ERROR_SUCCESS) {
        std::fprintf(stderr, "phonoduct: the settings folder %s could not be written (error %d)\n",
                     RegistryStoreFolder().c_str(), static_cast<int>(status));
        window.HaltProgram();
    }
    WriteDefaults(window, state.SettingsKey);
}

void PlaceWindow(SettingsWindow& window, SettingsState& state)
{
    if (state.SavedX >= window.ScreenWidth() - window.OuterWidth())
        state.SavedX = window.ScreenWidth() - window.OuterWidth();
    if (state.SavedX < 0)
        state.SavedX = 0;
    window.SetLeft(state.SavedX);
    if (state.SavedY >= window.ScreenHeight() - window.OuterHeight())
        state.SavedY = window.ScreenHeight() - window.OuterHeight();
    if (state.SavedY < 0)
        state.SavedY = 0;
    window.SetTop(state.SavedY);
}

void CheckRate(SettingsWindow& window, Option on, Option off1,
               Option off2)
{
    window.SetChecked(on, true);
    window.SetChecked(off1, false);
    window.SetChecked(off2, false);
}

void ApplyRate(SettingsWindow& window, LONG rate)
{
    using enum Option;
    switch (rate) {
    case 1:
        CheckRate(window, rate11025, rate22050, rate44100);
        break;
    case 2:
        CheckRate(window, rate22050, rate11025, rate44100);
        break;
    case 3:
        CheckRate(window, rate44100, rate22050, rate11025);
        break;
    default:
        break;
    }
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Only ASCII letters fold: other bytes, such as those of multi-byte characters, must match.
bool SameDeviceName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

void SelectDevice(SettingsWindow& window, DeviceList list, const std::string& name)
{
    const std::vector<std::string> items = window.ListItems(list);
    int index = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (SameDeviceName(items[i], name)) {
            index = static_cast<int>(i);
            break;
        }
    }
    window.SetListSelection(list, index);
}

void ApplyStagedValues(SettingsWindow& window, const SettingsState& state)
{
    ApplyRate(window, state.Rate);
    window.SetChecked(Option::sixteenBits, (state.Bits & 0xFF) != 0);
    window.SetBlockLengthPosition(state.Buffers);
    window.SetChecked(Option::stereo, (state.Channels & 0xFF) != 0);
    SelectDevice(window, DeviceList::outputList, state.OutputDevice);
    SelectDevice(window, DeviceList::inputList, state.InputDevice);
}

LONG RateCode(const SettingsWindow& window)
{
    using enum Option;
    return 3 * window.IsChecked(rate44100) + 2 * window.IsChecked(rate22050)
         + window.IsChecked(rate11025);
}

std::string ListText(const SettingsWindow& window, DeviceList list)
{
    const std::vector<std::string> items = window.ListItems(list);
    int index = window.ListSelection(list);
    return index >= 0 && static_cast<std::size_t>(index) < items.size() ? items[index] : "";
}
}

void LoadSettings(SettingsWindow& window, SettingsState& state)
{
    if (!state.SettingsLoaded) {
        OpenSettingsKey(window, state);
        Sleep(SettleMilliseconds);
        HKEY key = state.SettingsKey;
        ReadDwordValue(key, "Rate", state.Rate);
        ReadDwordValue(key, "Bits", state.Bits);
        ReadDwordValue(key, "Buffers", state.Buffers);
        ReadDwordValue(key, "Channels", state.Channels);
        ReadDwordValue(key, "Xpos", state.SavedX);
        ReadDwordValue(key, "Ypos", state.SavedY);
        PlaceWindow(window, state);
        ReadStringValue(key, "InputDevice", state.InputDevice);
        ReadStringValue(key, "OutputDevice", state.OutputDevice);
        ApplyStagedValues(window, state);
    }
    state.SettingsLoaded = true;
}

void SaveSettings(SettingsWindow& window, SettingsState& state)
{
    if (state.SettingsLoaded) {
        HKEY key = state.SettingsKey;
        WriteDwordValue(key, "Rate", RateCode(window));
        WriteDwordValue(key, "Bits", window.IsChecked(Option::sixteenBits) ? 1 : 0);
        WriteDwordValue(key, "Buffers", window.BlockLengthPosition());
        WriteDwordValue(key, "Channels", window.IsChecked(Option::stereo) ? 1 : 0);
        WriteStringValue(key, "InputDevice", ListText(window, DeviceList::inputList));
        WriteStringValue(key, "OutputDevice", ListText(window, DeviceList::outputList));
        WriteDwordValue(key, "Xpos", window.Left());
        WriteDwordValue(key, "Ypos", window.Top());
        Sleep(SettleMilliseconds);
        RegCloseKey(key);
        state.SettingsKey = nullptr;
    }
    state.SettingsLoaded = false;
}

void LoadSettings(SettingsWindow& window)
{
    LoadSettings(window, programState);
}

void SaveSettings(SettingsWindow& window)
{
    SaveSettings(window, programState);
}
