# SPDX-License-Identifier: GPL-3.0-or-later
"""The Windows installer under Wine: a silent install puts the program into Program Files
and an entry into the Start menu, the entry starts it, the session's end closes it as the
window's close does (settings saved, exit code 0), and a silent uninstall removes the
program's files and leaves the user's settings alone."""
import glob
import os
import unittest

from harness import processes
from harness.audio import AudioServer
from harness.desktop import Desktop
from wineprogram import BUILD, WineProgram

NAMES = {"Rate", "Bits", "Buffers", "Channels", "InputDevice", "OutputDevice", "Xpos", "Ypos"}


class InstallerTest(unittest.TestCase):
    def test_install_start_end_session_uninstall(self):
        [installer] = glob.glob(os.path.join(BUILD, "Phonoduct-*-win*.exe"))
        with AudioServer() as server, Desktop() as desktop, \
                WineProgram(desktop, server, start=False) as program:
            drive = os.path.join(program.prefix, "drive_c")
            folder = os.path.join(drive, "Program Files", "Phonoduct")
            shortcut = os.path.join(drive, "ProgramData", "Microsoft", "Windows", "Start Menu",
                                    "Programs", "Phonoduct", "Phonoduct.lnk")
            program.wine(installer, "/S")
            self.assertEqual(sorted(os.listdir(folder)),
                             ["LICENSE.txt", "Uninstall.exe", "phonoduct.exe"])
            self.assertTrue(os.path.isfile(shortcut))

            # A stored position alone: the end of the session has to save the other values.
            program.wine("reg", "add", r"HKCU\Software\Halvorn\Phonoduct", "/v", "Xpos",
                         "/t", "REG_DWORD", "/d", "100", "/f")
            program.start(["wine", "start", "/wait", "/unix", shortcut])
            outer, _ = program.wait_window()
            self.assertEqual(outer[0], 100)
            program.wine("wineboot", "--end-session")
            self.assertEqual(program.wait_exit(), 0)
            self.assertEqual(set(program.settings()), NAMES)

            program.wine(r"C:\Program Files\Phonoduct\Uninstall.exe", "/S")
            # The uninstaller works on from a copy of itself in the temporary folder, and
            # removes the Start menu entry after the program's folder.
            processes.wait_until(lambda: not os.path.exists(folder) and
                                 not os.path.exists(shortcut), 30, "the files and entry removed")
            self.assertEqual(set(program.settings()), NAMES)
