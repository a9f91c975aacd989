"""The relay through the window on PipeWire's pulse server, started privately with its
session manager: the server killed and started again before Start, then the capture source
removed during the relay."""
from harness.audio import AudioServer
from harness.program import Program
from harness.stallprobe import StallProbe
from relaycheck import (DEVICE_GONE, SERVER_GONE, DesktopTest, held_blocks, set_up,
                        start_and_hear, stop_and_close)


class PipeWireTest(DesktopTest):
    def test_relay_after_a_server_restart_and_a_source_removed(self):
        with AudioServer("pipewire") as server, Program(self.desktop, server) as program:
            program.wait_window()
            set_up(program)
            probe = StallProbe(program)
            server.kill()
            program.click("InButton")
            self.assertEqual(program.answer_boxes(), [("In Device Query", SERVER_GONE)])
            server.start()
            start_and_hear(self, server, program)
            server.unload("mic")
            program.wait_box()
            self.assertEqual(program.answer_boxes(), [("InAddBuffer", DEVICE_GONE)])
            stop_and_close(self, program, probe)
            self.assertEqual(held_blocks(program), {"capture": 3})
