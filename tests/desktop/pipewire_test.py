# SPDX-License-Identifier: GPL-3.0-or-later
"""The relay through the window on PipeWire's pulse server, started privately with its
session manager: the server killed and started again before Start, then the capture source
removed during the relay."""
from harness.audio import AudioServer
from harness.program import Program
from relaycheck import (DEVICE_GONE, DesktopTest, assert_held, set_up,
                        start_after_a_server_restart, stop_and_close)


class PipeWireTest(DesktopTest):
    def test_relay_after_a_server_restart_and_a_source_removed(self):
        with AudioServer("pipewire") as server, Program(self.desktop, server) as program:
            probe = set_up(program)
            start_after_a_server_restart(self, server, program)
            server.unload("mic")
            program.wait_box()
            self.assertEqual(program.answer_boxes(), [("InAddBuffer", DEVICE_GONE)])
            stop_and_close(self, program, probe)
            assert_held(self, program, {"capture": 3})
