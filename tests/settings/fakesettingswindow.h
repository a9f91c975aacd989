// SPDX-License-Identifier: GPL-3.0-or-later
// A plain window for the settings tests: the controls keep what they are given, the slider
// clamps to 0..9 like the real one, and every change made from outside is counted.
#pragma once

#include "settings/settingswindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>

class FakeSettingsWindow : public SettingsWindow {
public:
    bool IsChecked(SettingsOption option) const override { return checked.at(option); }
    void SetChecked(SettingsOption option, bool on) override { checked[option] = on, ++changes; }
    int BufsetPosition() const override { return bufset; }
    void SetBufsetPosition(int position) override
    {
        bufsetAsked = position, bufset = std::clamp(position, 0, 9), ++changes;
    }
    std::vector<std::string> ListItems(SettingsList list) const override { return items.at(list); }
    int ListSelection(SettingsList list) const override { return selection.at(list); }
    void SetListSelection(SettingsList list, int index) override
    {
        selection[list] = index, ++changes;
    }
    int Left() const override { return left; }
    int Top() const override { return top; }
    void SetLeft(int value) override { left = value, ++changes; }
    void SetTop(int value) override { top = value, ++changes; }
    int OuterWidth() const override { return width; }
    int OuterHeight() const override { return height; }
    int ScreenWidth() const override { return screenWidth; }
    int ScreenHeight() const override { return screenHeight; }

    // Only a test that expects the end runs in a child process that may exit.
    [[noreturn]] void HaltProgram() override
    {
        if (!haltExits) {
            ADD_FAILURE() << "HaltProgram was called";
            std::abort();
        }
        std::exit(0);
    }

    // As the window's definition gives them: 44.1 kHz checked, nothing else.
    std::map<SettingsOption, bool> checked = {
        {SettingsOption::RB4410, true},  {SettingsOption::RB2205, false},
        {SettingsOption::RB1102, false}, {SettingsOption::CB_16bit, false},
        {SettingsOption::CB_Stereo, false}};
    std::map<SettingsList, std::vector<std::string>> items = {
        {SettingsList::ComboBox1, {"Wave Mapper", "Test Speakers", "USB Headset"}},
        {SettingsList::ComboBox2, {"Wave Mapper", "Line In", "Monitor of Test Speakers"}}};
    std::map<SettingsList, int> selection = {{SettingsList::ComboBox1, -1},
                                             {SettingsList::ComboBox2, -1}};
    int bufset = 0, bufsetAsked = -100;
    int left = 0, top = 0, width = 301, height = 201;
    int screenWidth = 1024, screenHeight = 768;
    int changes = 0;
    bool haltExits = false;
};
