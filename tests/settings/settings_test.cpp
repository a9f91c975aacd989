// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings.h"
#include "fakesettingswindow.h"
#include "platform/sleep.h"
#include "settings/registryops.h"
#include "settingsstore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>

namespace {
DWORD paused = 0;
}

#ifndef _WIN32
// Loading and saving pause for the registry; the tests count the pauses instead of waiting.
// (On Windows the system's own Sleep runs, and the pauses are timed.)
void Sleep(DWORD dwMilliseconds)
{
    paused += dwMilliseconds;
}
#endif

namespace {
using enum Option;
using enum DeviceList;

// What an earlier run left: 11 kHz, 16 bits, stereo, slider 4, the second entry of each list.
std::vector<StoredValue> EarlierRun()
{
    return {Dword("Rate", 1),           Dword("Bits", 1),
            Dword("Buffers", 4),        Dword("Channels", 1),
            Text("InputDevice", "Line In"), Text("OutputDevice", "Test Speakers"),
            Dword("Xpos", 10),          Dword("Ypos", 20)};
}

void Replace(std::vector<StoredValue>& values, StoredValue value)
{
    for (StoredValue& old : values)
        if (old.Name == value.Name)
            old = std::move(value);
}

std::vector<bool> Rates(const FakeSettingsWindow& window)
{
    return {window.IsChecked(rate44100), window.IsChecked(rate22050), window.IsChecked(rate11025)};
}

class Settings : public testing::Test {
protected:
    void TearDown() override
    {
        if (state.SettingsKey)
            RegCloseKey(state.SettingsKey);
    }

    SettingsStore config;
    FakeSettingsWindow window;
    SettingsState state;
};
}

TEST_F(Settings, TheFirstRunStoresTheDefaultsAndCentresTheWindow)
{
    const struct {
        int screenWidth, screenHeight, width, height;
        LONG x, y;  // each half truncated on its own
    } cases[] = {
        {1024, 768, 301, 201, 362, 284},
        {200, 100, 301, 201, -50, -50},
    };
    for (const auto& c : cases) {
        SettingsStore fresh;
        FakeSettingsWindow first;
        SettingsState firstState;
        first.screenWidth = c.screenWidth;
        first.screenHeight = c.screenHeight;
        first.width = c.width;
        first.height = c.height;
        LoadSettings(first, firstState);
        EXPECT_EQ(fresh.Read(),
                  SettingsStore::InStoreOrder({Dword("Rate", 3), Dword("Bits", 1),
                                               Dword("Buffers", 7), Dword("Channels", 2),
                                               Text("InputDevice", "Wave Mapper"),
                                               Text("OutputDevice", "Wave Mapper"),
                                               Dword("Xpos", c.x), Dword("Ypos", c.y)}));
        EXPECT_EQ(first.left, std::max<LONG>(c.x, 0));
        EXPECT_EQ(first.top, std::max<LONG>(c.y, 0));
        EXPECT_EQ(Rates(first), (std::vector<bool>{true, false, false}));
        EXPECT_TRUE(first.IsChecked(sixteenBits));
        EXPECT_TRUE(first.IsChecked(stereo));
        EXPECT_EQ(first.bufset, 7);
        EXPECT_EQ(first.selection, (std::map<DeviceList, int>{{outputList, 0}, {inputList, 0}}));
        EXPECT_TRUE(firstState.SettingsLoaded);
        SaveSettings(first, firstState);
    }
}

TEST_F(Settings, LoadAndSaveEachWaitTheirPauseAndSaveClosesTheKey)
{
    using Clock = std::chrono::steady_clock;
    HKEY key = nullptr;
    using Step = void (*)(SettingsWindow&, SettingsState&);
    for (Step step : {Step{LoadSettings}, Step{SaveSettings}}) {
        paused = 0;
        [[maybe_unused]] const auto start = Clock::now();
        step(window, state);
#ifdef _WIN32
        paused = static_cast<DWORD>(
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
#endif
        EXPECT_GE(paused, 200u);
        key = key ? key : state.SettingsKey;
    }
    ASSERT_NE(key, nullptr);
    EXPECT_FALSE(state.SettingsLoaded);
    LONG number = 0;
    EXPECT_EQ(ReadDwordValue(key, "Rate", number), ERROR_INVALID_HANDLE);
}

TEST_F(Settings, SaveWritesTheControlsAndThePosition)
{
    const struct {
        bool rb4410, rb2205, rb1102, bits16, stereo;
        int bufset, output, input, left, top;
        std::vector<StoredValue> stored;
    } cases[] = {
        {true, false, false, true, true, 9, 2, 1, 5, 6,
         {Dword("Rate", 3), Dword("Bits", 1), Dword("Buffers", 9), Dword("Channels", 1),
          Text("InputDevice", "Line In"), Text("OutputDevice", "USB Headset"), Dword("Xpos", 5),
          Dword("Ypos", 6)}},
        {false, true, false, false, false, 0, -1, 2, -5, 4000,
         {Dword("Rate", 2), Dword("Bits", 0), Dword("Buffers", 0), Dword("Channels", 0),
          Text("InputDevice", "Monitor of Test Speakers"), Text("OutputDevice", ""),
          Dword("Xpos", DWORD(-5)), Dword("Ypos", 4000)}},
        {false, false, true, true, false, 3, 0, 0, 0, 0,
         {Dword("Rate", 1), Dword("Bits", 1), Dword("Buffers", 3), Dword("Channels", 0),
          Text("InputDevice", "Wave Mapper"), Text("OutputDevice", "Wave Mapper"),
          Dword("Xpos", 0), Dword("Ypos", 0)}},
        {false, false, false, false, true, 7, 1, 0, 1, 2,
         {Dword("Rate", 0), Dword("Bits", 0), Dword("Buffers", 7), Dword("Channels", 1),
          Text("InputDevice", "Wave Mapper"), Text("OutputDevice", "Test Speakers"),
          Dword("Xpos", 1), Dword("Ypos", 2)}},
    };
    for (const auto& c : cases) {
        SettingsStore fresh;
        FakeSettingsWindow saved;
        SettingsState savedState;
        LoadSettings(saved, savedState);
        saved.checked = {{rate44100, c.rb4410}, {rate22050, c.rb2205}, {rate11025, c.rb1102},
                         {sixteenBits, c.bits16}, {stereo, c.stereo}};
        saved.bufset = c.bufset;
        saved.selection = {{outputList, c.output}, {inputList, c.input}};
        saved.left = c.left;
        saved.top = c.top;
        SaveSettings(saved, savedState);
        EXPECT_EQ(fresh.Read(), SettingsStore::InStoreOrder(c.stored));
    }
}

TEST_F(Settings, LoadAppliesWhatWasStored)
{
    const struct {
        const char* what;
        std::function<void(std::vector<StoredValue>&)> store;
        std::function<void(FakeSettingsWindow&)> check;
        std::function<void(FakeSettingsWindow&)> before = [](FakeSettingsWindow&) {};
    } cases[] = {
        {"an earlier run", [](auto&) {},
         [](auto& w) {
             EXPECT_EQ(Rates(w), (std::vector<bool>{false, false, true}));
             EXPECT_TRUE(w.IsChecked(sixteenBits));
             EXPECT_TRUE(w.IsChecked(stereo));
             EXPECT_EQ(w.bufset, 4);
             EXPECT_EQ(w.selection, (std::map<DeviceList, int>{{outputList, 1}, {inputList, 1}}));
             EXPECT_EQ(w.left, 10);
             EXPECT_EQ(w.top, 20);
         }},
        {"Rate 2", [](auto& v) { Replace(v, Dword("Rate", 2)); },
         [](auto& w) { EXPECT_EQ(Rates(w), (std::vector<bool>{false, true, false})); }},
        {"Rate 3", [](auto& v) { Replace(v, Dword("Rate", 3)); },
         [](auto& w) { EXPECT_EQ(Rates(w), (std::vector<bool>{true, false, false})); }},
        {"Rate 0", [](auto& v) { Replace(v, Dword("Rate", 0)); },
         [](auto& w) { EXPECT_EQ(Rates(w), (std::vector<bool>{false, true, false})); },
         [](auto& w) { w.checked[rate44100] = false, w.checked[rate22050] = true; }},
        {"Rate 4", [](auto& v) { Replace(v, Dword("Rate", 4)); },
         [](auto& w) { EXPECT_EQ(Rates(w), (std::vector<bool>{true, false, false})); }},
        {"Bits 256", [](auto& v) { Replace(v, Dword("Bits", 256)); },
         [](auto& w) { EXPECT_FALSE(w.IsChecked(sixteenBits)); }},
        {"Bits 0x101", [](auto& v) { Replace(v, Dword("Bits", 0x101)); },
         [](auto& w) { EXPECT_TRUE(w.IsChecked(sixteenBits)); }},
        {"Channels 2", [](auto& v) { Replace(v, Dword("Channels", 2)); },
         [](auto& w) { EXPECT_TRUE(w.IsChecked(stereo)); }},
        {"Channels 0x200", [](auto& v) { Replace(v, Dword("Channels", 0x200)); },
         [](auto& w) { EXPECT_FALSE(w.IsChecked(stereo)); }},
        {"Buffers 12", [](auto& v) { Replace(v, Dword("Buffers", 12)); },
         [](auto& w) { EXPECT_EQ(w.bufsetAsked, 12); EXPECT_EQ(w.bufset, 9); }},
        {"Buffers -1", [](auto& v) { Replace(v, Dword("Buffers", DWORD(-1))); },
         [](auto& w) { EXPECT_EQ(w.bufsetAsked, -1); EXPECT_EQ(w.bufset, 0); }},
        {"device names in other letter case",
         [](auto& v) {
             Replace(v, Text("OutputDevice", "usb HEADSET"));
             Replace(v, Text("InputDevice", "LINE IN"));
         },
         [](auto& w) {
             EXPECT_EQ(w.selection, (std::map<DeviceList, int>{{outputList, 2}, {inputList, 1}}));
         }},
        {"devices no longer listed",
         [](auto& v) {
             Replace(v, Text("OutputDevice", "Gone Speakers"));
             Replace(v, Text("InputDevice", "Line"));
         },
         [](auto& w) {
             EXPECT_EQ(w.selection, (std::map<DeviceList, int>{{outputList, 0}, {inputList, 0}}));
         }},
        {"non-ASCII letters fold only in their ASCII part",
         [](auto& v) {
             Replace(v, Text("OutputDevice", "MIKROFON \xC3\xA4"));
             Replace(v, Text("InputDevice", "MIKROFON \xC3\x84"));
         },
         [](auto& w) {
             EXPECT_EQ(w.selection, (std::map<DeviceList, int>{{outputList, 3}, {inputList, 0}}));
         },
         [](auto& w) {
             w.items[outputList].push_back("Mikrofon \xC3\xA4");
             w.items[inputList].push_back("Mikrofon \xC3\xA4");
         }},
        {"Xpos and Ypos beyond the screen",
         [](auto& v) {
             Replace(v, Dword("Xpos", 5000));
             Replace(v, Dword("Ypos", 5000));
         },
         [](auto& w) { EXPECT_EQ(w.left, 1024 - 301); EXPECT_EQ(w.top, 768 - 201); }},
        {"Xpos flush with the right edge", [](auto& v) { Replace(v, Dword("Xpos", 723)); },
         [](auto& w) { EXPECT_EQ(w.left, 723); }},
        {"negative Xpos and Ypos",
         [](auto& v) {
             Replace(v, Dword("Xpos", DWORD(-20)));
             Replace(v, Dword("Ypos", DWORD(-1)));
         },
         [](auto& w) { EXPECT_EQ(w.left, 0); EXPECT_EQ(w.top, 0); }},
        {"Xpos 2^31 and Ypos 2^32-1",
         [](auto& v) {
             Replace(v, Dword("Xpos", 0x80000000));
             Replace(v, Dword("Ypos", 0xFFFFFFFF));
         },
         [](auto& w) { EXPECT_EQ(w.left, 0); EXPECT_EQ(w.top, 0); }},
        {"a screen narrower than the window", [](auto& v) { Replace(v, Dword("Xpos", 50)); },
         [](auto& w) { EXPECT_EQ(w.left, 0); }, [](auto& w) { w.screenWidth = 200; }},
        {"values of the wrong size or type",
         [](auto& v) {
             Replace(v, {"Rate", REG_BINARY, {2, 0, 0, 0}});
             Replace(v, {"Bits", REG_DWORD, {1, 0, 0}});
             Replace(v, {"OutputDevice", REG_BINARY, {'U', 'S', 'B', ' ', 'H', 'e', 'a', 'd',
                                                      's', 'e', 't'}});
         },
         [](auto& w) {
             EXPECT_EQ(Rates(w), (std::vector<bool>{false, true, false}));
             EXPECT_FALSE(w.IsChecked(sixteenBits));
             EXPECT_EQ(w.selection[outputList], 2);
         }},
        {"no values at all", [](auto& v) { v.clear(); },
         [](auto& w) {
             EXPECT_EQ(Rates(w), (std::vector<bool>{true, false, false}));
             EXPECT_FALSE(w.IsChecked(sixteenBits));
             EXPECT_FALSE(w.IsChecked(stereo));
             EXPECT_EQ(w.bufsetAsked, 0);
             EXPECT_EQ(w.selection, (std::map<DeviceList, int>{{outputList, 0}, {inputList, 0}}));
             EXPECT_EQ(w.left, 0);
             EXPECT_EQ(w.top, 0);
         },
         [](auto& w) { w.left = 100, w.top = 100; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SettingsStore fresh;
        std::vector<StoredValue> values = EarlierRun();
        c.store(values);
        fresh.Write(values);
        const std::vector<StoredValue> before = fresh.Read();
        FakeSettingsWindow loaded;
        SettingsState loadedState;
        c.before(loaded);
        LoadSettings(loaded, loadedState);
        c.check(loaded);
        EXPECT_EQ(fresh.Read(), before);
        RegCloseKey(loadedState.SettingsKey);
    }
}

TEST_F(Settings, SaveWithoutLoadWritesNothingAndLeavesTheKeyOpen)
{
    SaveSettings(window, state);
    EXPECT_TRUE(config.Empty());

    config.Write(EarlierRun());
    const std::vector<StoredValue> before = config.Read();
    ASSERT_EQ(OpenUserKey(SettingsKeyPath, state.SettingsKey), ERROR_SUCCESS);
    window.bufset = 9;
    SaveSettings(window, state);
    EXPECT_EQ(config.Read(), before);
    LONG buffers = 0;
    EXPECT_EQ(ReadDwordValue(state.SettingsKey, "Buffers", buffers), ERROR_SUCCESS);
    EXPECT_EQ(buffers, 4);
}

TEST_F(Settings, ASecondLoadChangesNothing)
{
    config.Write(EarlierRun());
    LoadSettings(window, state);
    const HKEY key = state.SettingsKey;
    const int changes = window.changes;
    std::vector<StoredValue> values = EarlierRun();
    Replace(values, Dword("Rate", 3));
    config.Write(values);
    LoadSettings(window, state);
    EXPECT_EQ(window.changes, changes);
    EXPECT_EQ(state.SettingsKey, key);
    EXPECT_TRUE(state.SettingsLoaded);
}

TEST_F(Settings, TheProgramHasOneStateForAllWindows)
{
    config.Write(EarlierRun());
    FakeSettingsWindow other;
    LoadSettings(window);
    LoadSettings(other);
    EXPECT_EQ(other.changes, 0);
    other.bufset = 8;
    SaveSettings(other);
    const std::vector<StoredValue> saved = config.Read();
    EXPECT_NE(std::find(saved.begin(), saved.end(), Dword("Buffers", 8)), saved.end());
    SaveSettings(window);
    EXPECT_EQ(config.Read(), saved);
}
