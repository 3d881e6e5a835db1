pcu_add_test(tst_mainwindow tst_mainwindow.cpp LIBS pcu_ui)
pcu_add_test(tst_accelerators tst_accelerators.cpp LIBS pcu_ui)
pcu_add_test(tst_featureswindow tst_featureswindow.cpp LIBS pcu_ui)
pcu_add_test(tst_hover tst_hover.cpp LIBS pcu_ui)
