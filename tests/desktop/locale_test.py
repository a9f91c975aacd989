# SPDX-License-Identifier: GPL-3.0-or-later
"""On a Japanese system set to Tokyo the window shows the eleven Japanese hints as tool tips
and draws its controls in the Japanese face; elsewhere only the slider has a hint."""
import unittest

from harness.audio import AudioServer
from harness.desktop import Desktop
from harness.program import Program

HINTS = {
    "outputList": "スピーカーの付いたデバイスを指定してください",
    "inputList": "MIDI出力の指定されているデバイスを指定してください",
    "deviceGroup": "入出力デバイスを指定します。",
    "rateGroup": "サンプリングレートを指定します。大きな値であればあるほど音質がきれいになります。",
    "rate44100": "CDの音質です。音質は良くなりますがマシンの負荷が大きくなります。",
    "rate22050": "FM放送より少し低めの音質です。マシンの負荷は低めになります。",
    "rate11025": "おおよそAMラジオの音質です。負荷が一番低い設定です。",
    "formGroup": "bit数とステレオの指定をします。",
    "sixteenBits": "16bitまたは8bitの選択です。音質は16bitの方が良くなります。",
    "stereo": "ステレオの指定です。スピーカーがステレオの時はチェックする方が楽しめます。",
    "aboutButton": "このプログラムについて・・・",
}
FONT_CONTROLS = ["outputList", "inputList", "outputLabel", "inputLabel", "startButton", "rateGroup",
                 "formGroup", "rate44100", "rate22050", "rate11025", "deviceGroup", "aboutButton",
                 "sixteenBits", "stereo"]
SLIDER_ONLY = {"blockLength": "BufferSize(0.5[sec])"}
# No TZ, and an /etc/localtime of another zone, seen by the program alone.
ELSEWHERE = ["unshare", "--mount", "sh", "-c",
             'mount --bind /usr/share/zoneinfo/Europe/Berlin /etc/localtime && exec "$0"']


class LocaleTest(unittest.TestCase):
    def look(self, desktop, server, tz, lang, wrapper=()):
        """The hints, and the pixels of the fourteen controls that take the locale's face."""
        env = {"TZ": tz, "LANG": lang, "LC_ALL": None, "LC_MESSAGES": None}
        with Program(desktop, server, env=env, wrapper=wrapper) as program:
            program.wait_window()
            hints = {}
            for name in FONT_CONTROLS + ["blockLength"]:
                if hint := program.control(name).hint():
                    hints[name] = hint
            pixels = {name: desktop.grab(*program.control(name).extents())
                      for name in FONT_CONTROLS}
            program.close()
            self.assertEqual(program.wait_exit(), 0)
        return hints, pixels

    def test_hints_and_face_follow_zone_and_language(self):
        with AudioServer() as server, Desktop() as desktop:
            japanese, drawn = self.look(desktop, server, "Asia/Tokyo", "ja_JP.UTF-8")
            self.assertEqual(japanese, {**HINTS, **SLIDER_ONLY})
            cases = [("Asia/Tokyo", "C.UTF-8", ()), ("Europe/Berlin", "ja_JP.UTF-8", ()),
                     (None, "ja_JP.UTF-8", ELSEWHERE)]
            for tz, lang, wrapper in cases:
                hints, western = self.look(desktop, server, tz, lang, wrapper)
                self.assertEqual(hints, SLIDER_ONLY, f"TZ={tz} LANG={lang}")
            # The same captions at the same places, drawn in another face than the western
            # "Times New Roman".
            for name in FONT_CONTROLS:
                self.assertTrue(drawn[name] != western[name], f"{name}: drawn in the western face")
