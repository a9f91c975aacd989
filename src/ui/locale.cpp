#include "ui/locale.h"

#include "ui/main.h"
#include "ui/ratebutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <array>
#include <utility>

namespace {

const QString JapaneseFontName = QStringLiteral("ＭＳ Ｐゴシック");

void SetJapaneseHints(TDuctForm& form)
{
    const std::pair<QWidget*, const char*> hints[] = {
        {form.ComboBox1, "スピーカーの付いたデバイスを指定してください"},
        {form.ComboBox2, "MIDI出力の指定されているデバイスを指定してください"},
        {form.GroupBox1, "入出力デバイスを指定します。"},
        {form.RadioGroup1,
         "サンプリングレートを指定します。大きな値であればあるほど音質がきれいになります。"},
        {form.RB4410, "CDの音質です。音質は良くなりますがマシンの負荷が大きくなります。"},
        {form.RB2205, "FM放送より少し低めの音質です。マシンの負荷は低めになります。"},
        {form.RB1102, "おおよそAMラジオの音質です。負荷が一番低い設定です。"},
        {form.RadioGroup2, "bit数とステレオの指定をします。"},
        {form.CB_16bit, "16bitまたは8bitの選択です。音質は16bitの方が良くなります。"},
        {form.CB_Stereo,
         "ステレオの指定です。スピーカーがステレオの時はチェックする方が楽しめます。"},
        {form.AboutButton, "このプログラムについて・・・"},
    };
    // A control shows its tooltip as soon as it has one: setting the text is switching
    // its hint display on.
    for (const auto& [control, hint] : hints)
        control->setToolTip(QString::fromUtf8(hint));
}

}  // namespace

void LocaleStep(TDuctForm& form, bool japaneseZone)
{
    if (japaneseZone)
        SetJapaneseHints(form);
    const QString face = japaneseZone ? JapaneseFontName : QStringLiteral("Times New Roman");

    const std::array<QWidget*, 14> controls = {
        form.ComboBox1, form.ComboBox2,   form.Panel1, form.Panel2,    form.InButton,
        form.RadioGroup1, form.RadioGroup2, form.RB4410, form.RB2205,  form.RB1102,
        form.GroupBox1, form.AboutButton, form.CB_16bit, form.CB_Stereo};
    for (QWidget* control : controls) {
        QFont font = control->font();
        font.setFamily(face);
        control->setFont(font);
    }
    for (QWidget* control : controls) {
        QFont font = control->font();
        font.setPointSize(9);
        control->setFont(font);
    }
}

void MapWindowsFaceNames()
{
    // fontconfig already resolves "Times New Roman" to Liberation Serif; it has no alias for
    // the Japanese face, which would otherwise fall back to a sans font of other metrics.
    for (const QString& face : {JapaneseFontName, QStringLiteral("MS PGothic")})
        QFont::insertSubstitution(face, QStringLiteral("IPAPGothic"));
}
