pcu_add_test(tst_settingsrules tst_settingsrules.cpp LIBS pcu_settings)
pcu_add_test(tst_flagsettings tst_flagsettings.cpp LIBS pcu_settings)
pcu_add_test(tst_download tst_download.cpp LIBS pcu_settings)
