// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/locale.h"

#include <utility>

namespace {

void SetJapaneseHints(DuctControls& controls)
{
    const std::pair<Control, const char*> hints[] = {
        {Control::outputList, "スピーカーの付いたデバイスを指定してください"},
        {Control::inputList, "MIDI出力の指定されているデバイスを指定してください"},
        {Control::deviceGroup, "入出力デバイスを指定します。"},
        {Control::rateGroup,
         "サンプリングレートを指定します。大きな値であればあるほど音質がきれいになります。"},
        {Control::rate44100, "CDの音質です。音質は良くなりますがマシンの負荷が大きくなります。"},
        {Control::rate22050, "FM放送より少し低めの音質です。マシンの負荷は低めになります。"},
        {Control::rate11025, "おおよそAMラジオの音質です。負荷が一番低い設定です。"},
        {Control::formGroup, "bit数とステレオの指定をします。"},
        {Control::sixteenBits, "16bitまたは8bitの選択です。音質は16bitの方が良くなります。"},
        {Control::stereo,
         "ステレオの指定です。スピーカーがステレオの時はチェックする方が楽しめます。"},
        {Control::aboutButton, "このプログラムについて・・・"},
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
        Control::outputList,   Control::inputList,   Control::outputLabel,   Control::inputLabel,
        Control::startButton,    Control::rateGroup, Control::formGroup, Control::rate44100,
        Control::rate22050,      Control::rate11025,      Control::deviceGroup, Control::aboutButton,
        Control::sixteenBits,    Control::stereo};
    for (Control control : fourteen)
        controls.SetFaceName(control, face);
    for (Control control : fourteen)
        controls.SetPointSize(control, 9);
}
