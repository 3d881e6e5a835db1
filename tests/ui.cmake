# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

pcu_add_test(tst_mainwindow tst_mainwindow.cpp LIBS pcu_ui)
pcu_add_test(tst_accelerators tst_accelerators.cpp LIBS pcu_ui)
pcu_add_test(tst_featureswindow tst_featureswindow.cpp LIBS pcu_ui)
pcu_add_test(tst_hover tst_hover.cpp LIBS pcu_ui RATIOS 1 2)
# The stored pictures as the windows show them, compared with the generator's files.
pcu_add_test(tst_pictures tst_pictures.cpp LIBS pcu_ui RATIOS 1 2)
target_compile_definitions(tst_pictures PRIVATE
  PCU_IMAGES_DIR="${PROJECT_SOURCE_DIR}/assets/images")
