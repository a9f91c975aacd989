# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs one test module of this folder and fails unless it ran tests and all of them passed:
a module whose tests were renamed away, or a test that skipped, fails the run."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
suite = unittest.defaultTestLoader.loadTestsFromName(sys.argv[1])
result = unittest.TextTestRunner(verbosity=2).run(suite)
if result.testsRun == 0:
    print(f"{sys.argv[1]}: no test ran", file=sys.stderr)
sys.exit(0 if result.wasSuccessful() and result.testsRun and not result.skipped else 1)
