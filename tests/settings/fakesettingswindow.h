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
    bool IsChecked(Option option) const override { return checked.at(option); }
    void SetChecked(Option option, bool on) override { checked[option] = on, ++changes; }
    int BlockLengthPosition() const override { return bufset; }
    void SetBlockLengthPosition(int position) override
    {
        bufsetAsked = position, bufset = std::clamp(position, 0, 9), ++changes;
    }
    std::vector<std::string> ListItems(DeviceList list) const override { return items.at(list); }
    int ListSelection(DeviceList list) const override { return selection.at(list); }
    void SetListSelection(DeviceList list, int index) override
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
    std::map<Option, bool> checked = {
        {Option::rate44100, true},  {Option::rate22050, false},
        {Option::rate11025, false}, {Option::sixteenBits, false},
        {Option::stereo, false}};
    std::map<DeviceList, std::vector<std::string>> items = {
        {DeviceList::outputList, {"Wave Mapper", "Test Speakers", "USB Headset"}},
        {DeviceList::inputList, {"Wave Mapper", "Line In", "Monitor of Test Speakers"}}};
    std::map<DeviceList, int> selection = {{DeviceList::outputList, -1},
                                             {DeviceList::inputList, -1}};
    int bufset = 0, bufsetAsked = -100;
    int left = 0, top = 0, width = 301, height = 201;
    int screenWidth = 1024, screenHeight = 768;
    int changes = 0;
    bool haltExits = false;
};
