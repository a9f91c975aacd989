// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/description.h"

namespace {

constexpr FontDescription WindowFont{WesternFace, 12};
constexpr FontDescription ListFont{JapaneseFace, 12};
constexpr FontDescription NoFont{nullptr, 0};

constexpr std::array<ControlDescription, ControlCount> Controls = {{
    {Control::outputList, "outputList", ControlKind::deviceList, {8, 40, 201, 20}, "", false,
     ListFont, "スピーカーの付いたデバイスを指定してください", true},
    {Control::inputList, "inputList", ControlKind::deviceList, {8, 88, 201, 20}, "", false,
     ListFont, "MIDI出力の指定されているデバイスを指定してください", false},
    {Control::rate44100, "rate44100", ControlKind::rateButton, {9, 136, 65, 17}, "44.1KHz", true,
     WindowFont, "CDの音質です。音質は良くなりますがマシンの負荷が大きくなります。", false},
    {Control::rate22050, "rate22050", ControlKind::rateButton, {9, 156, 73, 17}, "22.05KHz",
     false, WindowFont, "FM放送より少し低めの音質です。マシンの負荷は低めになります。", false},
    {Control::rate11025, "rate11025", ControlKind::rateButton, {9, 176, 65, 17}, "11KHz", false,
     WindowFont, "おおよそAMラジオの音質です。負荷が一番低い設定です。", false},
    {Control::sixteenBits, "sixteenBits", ControlKind::checkBox, {109, 137, 63, 17}, "16 bits",
     true, WindowFont, "16bitまたは8bitの選択です。音質は16bitの方が良くなります。", false},
    {Control::stereo, "stereo", ControlKind::checkBox, {109, 175, 60, 17}, "Stereo", true,
     WindowFont, "ステレオの指定です。スピーカーがステレオの時はチェックする方が楽しめます。",
     false},
    // Its hint is the block length, shown everywhere.
    {Control::blockLength, "blockLength", ControlKind::slider, {198, 120, 17, 113}, "", false,
     NoFont, nullptr, false},
    {Control::startButton, "startButton", ControlKind::pushButton, {5, 206, 92, 19}, "Start",
     false, WindowFont, nullptr, false},
    {Control::aboutButton, "aboutButton", ControlKind::pushButton, {102, 206, 79, 19}, "About",
     false, WindowFont, "このプログラムについて・・・", false},
    {Control::outputLabel, "outputLabel", ControlKind::panelLabel, {8, 16, 89, 20},
     "Output Device", false, WindowFont, nullptr, false},
    {Control::inputLabel, "inputLabel", ControlKind::panelLabel, {8, 64, 89, 20}, "Input Device",
     false, WindowFont, nullptr, false},
    {Control::rateGroup, "rateGroup", ControlKind::frame, {0, 120, 97, 81}, "Sampling Rate",
     false, WindowFont,
     "サンプリングレートを指定します。大きな値であればあるほど音質がきれいになります。", false},
    {Control::deviceGroup, "deviceGroup", ControlKind::frame, {0, 0, 217, 113},
     "Wave Device Select", false, WindowFont, "入出力デバイスを指定します。", false},
    {Control::formGroup, "formGroup", ControlKind::frame, {101, 120, 92, 81}, "Bits && Stereo",
     false, WindowFont, "bit数とステレオの指定をします。", false},
}};

constexpr bool IndexedByRole()
{
    for (std::size_t i = 0; i < Controls.size(); ++i)
        if (Controls[i].role != static_cast<Control>(i))
            return false;
    return true;
}
static_assert(IndexedByRole(), "the controls are listed in the order of their roles");

}  // namespace

const WindowDescription MainWindow{"Phonoduct", {266, 176, 219, 231}, WindowFont};
const std::array<ControlDescription, ControlCount> MainControls = Controls;
const SliderDescription BlockLengthSlider{0, 9, 8, 1, 2, 1};

const ControlDescription& Describe(Control control)
{
    return MainControls[static_cast<std::size_t>(control)];
}
