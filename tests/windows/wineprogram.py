# SPDX-License-Identifier: GPL-3.0-or-later
"""phonoduct.exe under Wine on a private desktop: a fresh Wine prefix whose virtual desktop
fills the X screen, the program started in it, its windows read from outside by
windowdriver.exe, and clicked and typed at through the X server as a user would."""
import os
import shutil
import subprocess
import tempfile
import time

from harness import processes

BUILD = os.environ.get("PHONODUCT_WINDOWS_BUILD", "")
PREFIX_SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "wine-prefix.sh")


class Control:
    def __init__(self, row):
        self.name, self.kind = row[0], row[1]
        self.left, self.top, self.width, self.height = (int(v) for v in row[2:6])
        self.enabled = row[6] == "1"
        self.state = row[7]  # checked (0/1) or the slider's position; "-" for the others
        self.caption = row[8] if len(row) > 8 else ""


class WineProgram:
    def __init__(self, desktop, server, env=None, start=True):
        """`start`: whether phonoduct.exe of the build starts on entering a with block."""
        self.start_at_enter = start
        self.desktop = desktop
        self.folder = tempfile.mkdtemp(prefix="phonoduct-wine-")
        self.prefix = os.path.join(self.folder, "prefix")
        self.env = dict(os.environ, **desktop.env, **server.env, WINEPREFIX=self.prefix,
                        WINEDEBUG="-all", **(env or {}))
        self.log = os.path.join(self.folder, "program.log")
        self.process = None

    def __enter__(self):
        width, height = self.desktop.size
        subprocess.run([PREFIX_SCRIPT, "start", self.prefix, f"{width}x{height}"], check=True,
                       timeout=300, env=self.env, stdin=subprocess.DEVNULL)
        if self.start_at_enter:
            self.start(["wine", os.path.join(BUILD, "phonoduct.exe")])
        return self

    def start(self, command):
        """Starts the program with a command that runs it until it ends."""
        self.process = processes.start(command, self.log, env=self.env)

    def wine(self, *arguments):
        """Runs a Windows command in the prefix to its end."""
        subprocess.run(["wine", *arguments], env=self.env, check=True, timeout=120,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)

    def __exit__(self, *exc):
        if self.process and self.process.poll() is None:
            processes.stop(self.process)
        subprocess.run([PREFIX_SCRIPT, "stop", self.prefix], timeout=60, env=self.env,
                       stdin=subprocess.DEVNULL)
        shutil.rmtree(self.folder, ignore_errors=True)
        return False

    def driver(self, command):
        """windowdriver.exe's rows for a command, each a list of its tab-separated fields."""
        return [line.split("\t") for line in self._run("windowdriver.exe", command).splitlines()]

    def tests(self, pattern):
        """The output of the Windows tests that match `pattern`, run on the desktop."""
        return self._run("windows_tests.exe", f"--gtest_filter={pattern}")

    def _run(self, executable, argument):
        # A file, not a pipe: the Wine session that the first program starts keeps the
        # descriptors it was given open, and a pipe would never reach its end.
        with tempfile.TemporaryFile("w+") as out:
            done = subprocess.run(["wine", os.path.join(BUILD, "tests", "windows", executable),
                                   argument],
                                  env=self.env, stdout=out, stderr=subprocess.STDOUT,
                                  stdin=subprocess.DEVNULL, timeout=180)
            out.seek(0)
            output = out.read()
        if done.returncode != 0:
            raise RuntimeError(f"{executable} {argument}: {output}")
        return output

    def wait_window(self):
        """The main window's outer and client rectangles (left, top, width, height)."""
        rows = {row[0]: [int(v) for v in row[1:]] for row in self.driver("window")}
        return rows["outer"], rows["client"]

    def controls(self):
        return {row[0]: Control(row) for row in self.driver("controls")}

    def control(self, name):
        return self.controls()[name]

    def click(self, control):
        """Clicks a control, given by name or as read before (which saves reading it now)."""
        c = self.control(control) if isinstance(control, str) else control
        subprocess.run(["xdotool", "mousemove", str(c.left + c.width // 2),
                        str(c.top + min(c.height, 20) // 2), "click", "1"], env=self.env,
                       check=True, timeout=30)

    def key(self, *keys):
        subprocess.run(["xdotool", "key", "--delay", "30", *keys], env=self.env, check=True,
                       timeout=30)

    def select(self, name, text, items):
        """Selects an entry of a device list with the keyboard: click, close the list that
        opens, then Home and Down to the entry, each step a user's selection."""
        self.click(name)
        self.key("Escape")
        self.key("Home", *["Down"] * items.index(text))
        processes.wait_until(lambda: self.control(name).caption == text, 10, f"{name}: {text}")

    def boxes(self):
        """The message boxes shown: (caption, text) each."""
        return [(row[0], row[1]) for row in self.driver("boxes")]

    def settings(self):
        """The stored values by name: numbers for dwords, text for strings."""
        return {row[0]: int(row[2]) if row[1] == "dword" else row[2]
                for row in self.driver("settings")}

    def wait_exit(self, timeout=30):
        return self.process.wait(timeout)
