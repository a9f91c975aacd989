# SPDX-License-Identifier: GPL-3.0-or-later
"""How long the UI thread leaves its events during a relay: running, with the ring empty
(the microphone sink suspended: its monitor records nothing and playback takes silence)
and with the ring full (the speakers suspended: capture overruns the ring). The tone comes
back after each."""
import time

from harness.audio import AudioServer
from harness.program import Program
from harness.recording import Recorder
from relaycheck import BLOCK, STALL, TONE, DesktopTest, set_up, start_and_hear, stop_and_close

# Longer than the seven ring slots take to fill or to drain.
STALLED = 8 * BLOCK


class StallTest(DesktopTest):
    def test_relay_empty_ring_and_full_ring(self):
        with AudioServer() as server, Program(self.desktop, server) as program:
            probe = set_up(program)
            began = time.monotonic()
            start_and_hear(self, server, program)
            phases = {"relay": (began, time.monotonic())}
            for name, stall in [("empty ring", ("suspend-sink", "mic")),
                                ("full ring", ("suspend-sink", "speakers"))]:
                began = time.monotonic()
                server.pactl(*stall, "1")
                speakers = Recorder(server)
                time.sleep(STALLED)
                heard = speakers.stop()
                server.pactl(*stall, "0")
                if name == "empty ring":
                    # After the four queued blocks the ring has nothing left.
                    quiet = len(heard.quiet_windows(TONE, 0)) * 0.01
                    self.assertGreater(quiet, STALLED - 4 * BLOCK - 0.5, "playback never ran dry")
                phases[name] = (began, time.monotonic())
                self.assert_tone_returns(server)
            stop_and_close(self, program, probe)
            figures = {name: probe.longest(*phases[name]) for name in phases}
            print("longest UI stall: " +
                  ", ".join(f"{name} {figure * 1000:.0f} ms" for name, figure in figures.items()))
            for name, figure in figures.items():
                self.assertLess(figure, STALL, name)

    def assert_tone_returns(self, server):
        speakers = Recorder(server)
        time.sleep(5 * BLOCK)
        heard = speakers.stop()
        self.assertIsNotNone(heard.onset(TONE), "the relay did not recover")
