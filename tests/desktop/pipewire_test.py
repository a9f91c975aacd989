# SPDX-License-Identifier: GPL-3.0-or-later
"""The relay through the window on PipeWire's pulse server, started privately with its
session manager: the server killed and started again before Start, the relay's two streams
in one graph at its default cycle, then the capture source removed during the relay."""
import os
import signal
import subprocess
import tempfile
import time

from harness.audio import AudioServer
from harness.program import Program
from relaycheck import (DEVICE_GONE, DesktopTest, assert_held, set_up,
                        start_after_a_server_restart, stop_and_close)


def graph_cycle(server):
    """The nodes that the first driver PipeWire's profiler meets runs, a second long (all of
    them when every running node is in one graph), and the median length of its cycle in s."""
    env = dict(os.environ, XDG_RUNTIME_DIR=os.path.join(server.folder, "run"))
    with tempfile.TemporaryDirectory() as scripts:
        profiler = subprocess.Popen(["pw-profiler", "-o", os.path.join(scripts, "log")],
                                    cwd=scripts, env=env, stdin=subprocess.DEVNULL,
                                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        time.sleep(1)
        profiler.send_signal(signal.SIGINT)
        printed = profiler.communicate(timeout=10)[0]
        with open(os.path.join(scripts, "log")) as log:
            # The fourth column is the driver's period in microseconds.
            periods = sorted(int(line.split("\t")[3]) for line in log if line.strip())
    followers = [line.split('("', 1)[1].rstrip('")') for line in printed.splitlines()
                 if line.startswith("logging follower")]
    return followers, periods[len(periods) // 2] / 1e6


class PipeWireTest(DesktopTest):
    def test_relay_after_a_server_restart_and_a_source_removed(self):
        with AudioServer("pipewire") as server, Program(self.desktop, server) as program:
            probe = set_up(program)
            start_after_a_server_restart(self, server, program)
            # Capture and playback share each cycle of one driver, as the server's own
            # loopbacks do, instead of each device's graph waking the server on its own.
            followers, cycle = graph_cycle(server)
            self.assertEqual(followers.count("Phonoduct"), 2)
            # Nor does the relay shorten the graph's cycle below PipeWire's default (1024
            # frames): a cycle of a few milliseconds is missed whenever a busy core keeps the
            # server's thread waiting, and each miss is a gap in what is heard.
            self.assertGreaterEqual(cycle, 0.020)
            server.unload("mic")
            program.wait_box()
            self.assertEqual(program.answer_boxes(), [("InAddBuffer", DEVICE_GONE)])
            stop_and_close(self, program, probe)
            assert_held(self, program, {"capture": 3})
