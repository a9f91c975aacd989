// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/locale.h"

#include <utility>

namespace {

void SetJapaneseHints(DuctControls& controls)
{
    const std::pair<Control, const char*> hints[] = {
        {Control::ComboBox1, "スピーカーの付いたデバイスを指定してください"},
        {Control::ComboBox2, "MIDI出力の指定されているデバイスを指定してください"},
        {Control::GroupBox1, "入出力デバイスを指定します。"},
        {Control::RadioGroup1,
         "サンプリングレートを指定します。大きな値であればあるほど音質がきれいになります。"},
        {Control::RB4410, "CDの音質です。音質は良くなりますがマシンの負荷が大きくなります。"},
        {Control::RB2205, "FM放送より少し低めの音質です。マシンの負荷は低めになります。"},
        {Control::RB1102, "おおよそAMラジオの音質です。負荷が一番低い設定です。"},
        {Control::RadioGroup2, "bit数とステレオの指定をします。"},
        {Control::CB_16bit, "16bitまたは8bitの選択です。音質は16bitの方が良くなります。"},
        {Control::CB_Stereo,
         "ステレオの指定です。スピーカーがステレオの時はチェックする方が楽しめます。"},
        {Control::AboutButton, "このプログラムについて・・・"},
    };
    for (const auto& [control, hint] : hints)
        controls.SetHint(control, hint);
}

}  // namespace

void LocaleStep(DuctControls& controls, bool japaneseZone)
{
    if (japaneseZone)
        SetJapaneseHints(controls);
    const std::string face = japaneseZone ? "ＭＳ Ｐゴシック" : "Times New Roman";
    const Control fourteen[] = {
        Control::ComboBox1,   Control::ComboBox2,   Control::Panel1,   Control::Panel2,
        Control::InButton,    Control::RadioGroup1, Control::RadioGroup2, Control::RB4410,
        Control::RB2205,      Control::RB1102,      Control::GroupBox1, Control::AboutButton,
        Control::CB_16bit,    Control::CB_Stereo};
    for (Control control : fourteen)
        controls.SetFaceName(control, face);
    for (Control control : fourteen)
        controls.SetPointSize(control, 9);
}
