# SPDX-License-Identifier: GPL-3.0-or-later
"""CPU time of processes, from the scheduler's count of nanoseconds on a CPU per thread."""
import glob
import time


def seconds(pids):
    """CPU seconds used so far by the live threads of the processes."""
    total = 0
    for pid in pids:
        for path in glob.glob(f"/proc/{pid}/task/*/schedstat"):
            try:
                with open(path) as stat:
                    total += int(stat.read().split()[0])
            except (FileNotFoundError, ProcessLookupError):
                pass  # the thread ended meanwhile
    return total / 1e9


class Meter:
    """CPU seconds per minute of wall time of some processes over a stretch of time."""

    def __init__(self, pids):
        self.pids = list(pids)
        self.start_cpu = seconds(self.pids)
        self.start_time = time.monotonic()

    def per_minute(self):
        used = seconds(self.pids) - self.start_cpu
        return used * 60 / (time.monotonic() - self.start_time)
