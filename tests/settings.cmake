# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

pcu_add_test(tst_download tst_download.cpp LIBS pcu_download)
