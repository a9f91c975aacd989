# SPDX-License-Identifier: GPL-3.0-or-later
"""The relay through the window on PipeWire's pulse server, started privately with its
session manager: the server killed and started again before Start, the relay's two streams
in one graph, then the capture source removed during the relay."""
import os
import signal
import subprocess
import tempfile
import time

from harness.audio import AudioServer
from harness.program import Program
from relaycheck import (DEVICE_GONE, DesktopTest, assert_held, set_up,
                        start_after_a_server_restart, stop_and_close)


def graph_followers(server):
    """The names of the nodes that the first driver PipeWire's profiler meets runs, a second
    long: all of them when every running node is in one graph."""
    env = dict(os.environ, XDG_RUNTIME_DIR=os.path.join(server.folder, "run"))
    with tempfile.TemporaryDirectory() as scripts:
        profiler = subprocess.Popen(["pw-profiler", "-o", os.path.join(scripts, "log")],
                                    cwd=scripts, env=env, stdin=subprocess.DEVNULL,
                                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        time.sleep(1)
        profiler.send_signal(signal.SIGINT)
        printed = profiler.communicate(timeout=10)[0]
    return [line.split('("', 1)[1].rstrip('")') for line in printed.splitlines()
            if line.startswith("logging follower")]


class PipeWireTest(DesktopTest):
    def test_relay_after_a_server_restart_and_a_source_removed(self):
        with AudioServer("pipewire") as server, Program(self.desktop, server) as program:
            probe = set_up(program)
            start_after_a_server_restart(self, server, program)
            # Capture and playback share each cycle of one driver, as the server's own
            # loopbacks do, instead of each device's graph waking the server on its own.
            self.assertEqual(graph_followers(server).count("Phonoduct"), 2)
            server.unload("mic")
            program.wait_box()
            self.assertEqual(program.answer_boxes(), [("InAddBuffer", DEVICE_GONE)])
            stop_and_close(self, program, probe)
            assert_held(self, program, {"capture": 3})
