# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

"""The program's own words and lists as a screen reader meets them, shared by
the tests that read the program through the accessibility bus and under
Orca."""

APP = "TR7400PrinterConfigurationUtility"
MAIN = "Altrune TR 7400 Printer Configuration Utility"
BOX_TITLE = "Printer Configuration Utility"
BANNER = "Please wait, while printer settings being applied."
PRINTER_READY = "\n".join([
    "Please check whether the printer is :",
    "* Switched ON",
    "* In online mode",
    "* In Parallel or Autoshare interface",
    "",
    "To continue press OK else press Cancel to quit.",
])
EXIT_QUESTION = "Are you sure to quit from this application?"

# The twenty shown lists in the window's order, as a screen reader names them
# (their label) with the choice each shows at start.
LISTS = [
    ("High Speed Graphics", "Disabled"),
    ("High Speed Draft", "Disabled"),
    ("LQ Font Type", "Roman"),
    ("Tear Off", "Short Auto"),
    ("Page Length", "12 Inch"),
    ("Interface", "Autoshare"),
    ("Strobe Edge", "Falling"),
    ("Character Table", "Graphics"),
    ("Language", "Hindi"),
    ("Language Standard", "8 bit-ISCII"),
    ("Space Compensation", "Disabled"),
    ("Input Buffer Size", "64K bytes"),
    ("SkipOverPerf", "OFF"),
    ("Print Direction", "BI-DI"),
    ("Slashed Zero", "Slashed"),
    ("Line Spacing", "6 LPI"),
    ("Auto LineFeed", "Disabled"),
    ("Dark Mode", "Disabled"),
    ("Print Impact", "Normal"),
    ("Sleep Mode", "2 Minutes"),
]
# Disabled at start: the character table is not "Indian Language".
DISABLED = ["Language", "Language Standard", "Space Compensation"]
