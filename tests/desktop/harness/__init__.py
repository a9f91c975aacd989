# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives the real program on a private desktop and a private audio server, as a user would."""
