# SPDX-License-Identifier: GPL-3.0-or-later
"""The relays compared: Phonoduct driven through its window as a user would, and the peers a
user could run instead (parec | pacat, the server's module-loopback, PipeWire's pw-loopback).
Each starts and stops relaying from "Monitor of Tone Mic" to "Test Speakers" and names its
client processes."""
import os
import time

from Xlib import X

from harness import processes
from harness.program import Program
from harness.stallprobe import StallProbe

# Pauses of the stop sequence that leave the UI thread away from its events on purpose.
STOP_PAUSES = 0.3


class Phonoduct:
    """The program: launched, set up in its window, Start from suspended or idle speakers,
    Stop, Close."""

    def __init__(self, block, settings, speakers):
        self.block = block
        self.settings = settings
        self.speakers = speakers
        self.name = f"Phonoduct, {block} s blocks, from {speakers} speakers"
        self.design = 4 * block
        self.figures = {}
        self._program = self._probe = None

    def launch(self, rig, desktop):
        """Starts the program with the settings of earlier runs, as a user does after the
        first time, and sets it up."""
        self._program = Program(desktop, rig.server, settings=self.settings)
        self.figures = {"window": _shown(desktop, self._program)}
        self._program.wait_window()
        self._program.select("outputList", "Test Speakers")
        self._program.select("inputList", "Monitor of Tone Mic")
        self._program.click("blockLength")
        self._program.key("End" if self.block == 0.3 else "Home")
        hint = self._program.control("blockLength").hint()
        if hint != f"BufferSize({self.block}[sec])":
            raise RuntimeError(f"the slider shows {hint}")

    def pids(self):
        return [self._program.process.pid]

    def prepare(self, rig):
        if self.speakers == "idle":
            rig.server.leave_speakers_idle()
        else:
            rig.server.wait_speakers("SUSPENDED")

    def start(self):
        self._probe = StallProbe(self._program)
        self._program.click("startButton")

    def settled(self):
        """The pre-roll has played: the UI thread's longest absence so far."""
        self.figures["stall at start"] = self._probe.stop().longest()

    def watch(self):
        """The UI thread is watched again until the end of the stop."""
        self._probe = StallProbe(self._program)

    def stop(self):
        pressed = time.monotonic()
        self._program.click("startButton")
        processes.wait_until(lambda: self._program.control("startButton").caption() == "Close", 10,
                             "Close")
        self.figures["close"] = time.monotonic() - pressed - STOP_PAUSES
        time.sleep(0.2)
        probe = self._probe.stop()
        # The stop's pauses keep the UI thread away on purpose, also from a ping sent just
        # before the press; the rest of the time counts.
        before = pressed - 0.1
        self.figures["stall relaying"] = probe.longest(end=before)
        self.figures["stall at stop"] = probe.longest(start=before) - STOP_PAUSES
        self.figures["stall"] = max(self.figures[f"stall {when}"]
                                    for when in ("at start", "relaying", "at stop"))
        boxes = self._program.message_boxes()
        if boxes:
            raise RuntimeError(f"message box {boxes[0].caption!r}: {boxes[0].text!r}")

    def close(self):
        self._program.click("startButton")
        self._program.wait_exit()
        self._program.__exit__(None, None, None)


def _shown(desktop, program):
    """Starts the program; the seconds until its main window was mapped on the screen."""
    display = desktop.open_display()
    try:
        display.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        display.sync()
        program.start()
        while True:
            event = display.next_event()
            if event.type == X.MapNotify and event.window.get_wm_name() == "Phonoduct":
                return time.monotonic() - program.launched
    finally:
        display.close()


class _Peer:
    """A relay of other processes or of the server, with no window."""
    figures = {}

    def launch(self, rig, desktop):
        self._rig = rig
        self._process = None

    def pids(self):
        """The process and its children (the two sides of a pipeline)."""
        if self._process is None:
            return []
        pid = self._process.pid
        with open(f"/proc/{pid}/task/{pid}/children") as children:
            return [pid] + [int(child) for child in children.read().split()]

    def prepare(self, rig):
        pass

    def settled(self):
        pass

    def watch(self):
        pass

    def stop(self):
        processes.stop(self._process)

    def close(self):
        pass

    def _start(self, command):
        log = os.path.join(self._rig.server.folder, "relay.log")
        self._process = processes.start(["sh", "-c", command], log, env=self._rig.env)


class ParecPacat(_Peer):
    name = "parec | pacat, 10 + 10 ms"
    design = 0.02

    def start(self):
        self._start("parec --latency-msec=10 -d mic.monitor --raw"
                    " | pacat --latency-msec=10 -d speakers --raw")


class ModuleLoopback(_Peer):
    name = "module-loopback, 20 ms"
    design = 0.02

    def start(self):
        self._module = self._rig.server.pactl("load-module", "module-loopback",
                                              "source=mic.monitor", "sink=speakers",
                                              "latency_msec=20").strip()

    def stop(self):
        self._rig.server.pactl("unload-module", self._module)


class PwLoopback(_Peer):
    name = "pw-loopback, 20 ms"
    design = 0.02

    def start(self):
        self._start("exec pw-loopback -C mic --capture-props=stream.capture.sink=true"
                    " -P speakers -l 20")
