# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

pcu_add_test(tst_featurespage tst_featurespage.cpp LIBS pcu_features)
pcu_add_test(tst_spoolfailures tst_spoolfailures.cpp LIBS pcu_features)
