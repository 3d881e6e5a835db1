# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# The CUPS spooler, tested against a private scheduler of its own.
if(UNIX AND NOT APPLE)
  pcu_add_test(tst_cupsspooler tst_cupsspooler.cpp
    LIBS pcu_platformspooler pcu_cupsfixture
    LABELS spool cups)
  set_tests_properties(tst_cupsspooler PROPERTIES TIMEOUT 120)
endif()
