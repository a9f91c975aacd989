# SPDX-License-Identifier: GPL-3.0-or-later
"""Helper processes that die with the test: each in its own process group, stopped in reverse
order of starting, also when the test fails or is interrupted."""
import atexit
import os
import signal
import subprocess
import time

_running = []


def start(command, log, env=None, **options):
    """Starts `command` with its output appended to the file `log`."""
    with open(log, "ab") as out:
        process = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL, stdout=out,
                                   stderr=subprocess.STDOUT, start_new_session=True, **options)
    _running.append(process)
    return process


def stop(process, grace=2.0):
    """SIGTERM to the process group, SIGKILL after `grace` seconds."""
    if process in _running:
        _running.remove(process)
    if process.poll() is not None:
        return
    for sig, wait in ((signal.SIGTERM, grace), (signal.SIGKILL, 5.0)):
        try:
            os.killpg(process.pid, sig)
        except ProcessLookupError:
            return
        try:
            process.wait(wait)
            return
        except subprocess.TimeoutExpired:
            pass


def wait_until(condition, timeout, what, interval=0.02):
    """Polls `condition` until it gives a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError(f"{what}: not within {timeout} s")
        time.sleep(interval)


@atexit.register
def _stop_all():
    for process in reversed(list(_running)):
        stop(process, grace=0.5)
