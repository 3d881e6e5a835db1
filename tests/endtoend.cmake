# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# What the printer side receives from the program, through a private CUPS
# scheduler of the tests' own.
if(UNIX AND NOT APPLE)
  pcu_add_test(tst_cupsdownload tst_cupsdownload.cpp
    LIBS pcu_features pcu_platformspooler pcu_cupsfixture LABELS cups)
endif()
if(UNIX AND NOT APPLE)
  pcu_add_test(tst_endtoend tst_endtoend.cpp
    LIBS pcu_ui pcu_platformspooler pcu_cupsfixture LABELS cups gui)
endif()
