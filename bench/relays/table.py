# SPDX-License-Identifier: GPL-3.0-or-later
"""The benchmark's table: one row per relay, medians over the runs with the spread where it
matters, in Markdown."""
import os
import platform
import statistics

HEADER = ("| relay | delay over the design, ms: median (min…max) | bit-exact at 16 bits "
          "| glitches after the pre-roll, per run | client CPU-s/min "
          "| server CPU-s/min over the idle rig "
          "| total CPU-s/min: client + server over the idle rig | UI thread's longest absence, ms "
          "| launch → window shown, ms | Stop → \"Close\", ms beyond the pauses |\n"
          "|---|---|---|---|---|---|---|---|---|---|")


def _present(values):
    return [value for value in values if value is not None]


def median(values, digits):
    values = _present(values)
    return f"{statistics.median(values):.{digits}f}" if values else "—"


def _ms(values):
    values = [value * 1000 for value in _present(values)]
    return f"{statistics.median(values):.0f}" if values else "—"


def _spread_ms(values):
    values = [value * 1000 for value in _present(values)]
    if not values:
        return "—"
    return f"{statistics.median(values):+.0f} ({min(values):+.0f}…{max(values):+.0f})"


def row(name, runs):
    """The row of one relay from the figures of its runs."""
    def each(key):
        return [figures.get(key) for figures in runs]

    exact = sum(bool(value) for value in each("exact"))
    stalls = _present(each("stall"))
    cells = [
        name.replace("|", "\\|"),
        _spread_ms(each("delay")),
        "yes" if exact == len(runs) else f"no ({exact} of {len(runs)} runs)",
        ", ".join(str(count) for count in each("glitches")),
        median(each("client"), 2),
        median(each("server"), 2),
        median([(figures.get("client") or 0) + figures["server"] for figures in runs], 2),
        f"{max(stalls) * 1000:.0f}" if stalls else "—",
        _ms(each("window")),
        _ms(each("close")),
    ]
    return "| " + " | ".join(cells) + " |"


def machine():
    """What the benchmark ran on."""
    model = "unknown CPU"
    with open("/proc/cpuinfo") as info:
        for line in info:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    return f"{model}, {os.cpu_count()} cores, Linux {platform.release()}"
