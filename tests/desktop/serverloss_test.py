# SPDX-License-Identifier: GPL-3.0-or-later
"""The audio server goes away under the program: killed during a relay, killed and started
again before Start, and not there at all when the program starts."""
import time

from harness.audio import AudioServer
from harness.program import Program
from harness.stallprobe import StallProbe
from relaycheck import (SERVER_GONE, STALL, DesktopTest, assert_held, set_up,
                        start_after_a_server_restart, start_and_hear, stop_and_close)


class ServerLossTest(DesktopTest):
    def test_server_killed_during_a_relay(self):
        with AudioServer() as server, Program(self.desktop, server) as program:
            probe = set_up(program)
            start_and_hear(self, server, program)
            server.kill()
            program.wait_box()
            # One box per device, not one per queued block.
            self.assertEqual(sorted(program.answer_boxes()),
                             [("InAddBuffer", SERVER_GONE), ("OutAddBuffer", SERVER_GONE)])
            settings = stop_and_close(self, program, probe)
            self.assertEqual(settings["OutputDevice"], "Test Speakers")
            assert_held(self, program, {"capture": 3, "playback": 3})

    def test_server_restarted_then_start_again(self):
        with AudioServer() as server, Program(self.desktop, server) as program:
            probe = set_up(program)
            start_after_a_server_restart(self, server, program)
            stop_and_close(self, program, probe, by_window=False)

    def test_no_server_at_start(self):
        with AudioServer() as server:
            server.stop()
            with Program(self.desktop, server) as program:
                program.wait_box()
                self.assertEqual(program.answer_boxes(),
                                 [("WaveOutGetDevCaps", SERVER_GONE),
                                  ("WaveInGetDevCaps", SERVER_GONE)])
                program.wait_window()
                self.assertEqual(program.control("outputList").items(), ["Wave Mapper"])
                probe = StallProbe(program)
                program.click("startButton")
                self.assertEqual(program.answer_boxes(), [("In Device Query", SERVER_GONE)])
                self.assertEqual(program.control("startButton").caption(), "Start")
                time.sleep(0.2)
                probe.stop()
                self.assertLess(probe.longest(), STALL)
                program.close()
                self.assertEqual(program.wait_exit(), 0)
                self.assertEqual(program.settings()["OutputDevice"], "Wave Mapper")
