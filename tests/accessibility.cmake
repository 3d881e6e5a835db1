# What a screen reader finds in both windows, through Qt's accessibility
# interfaces.
if(UNIX AND NOT APPLE)
  pcu_add_test(tst_accessibility tst_accessibility.cpp
    LIBS pcu_ui pcu_platformspooler pcu_cupsfixture LABELS a11y cups gui)
endif()
