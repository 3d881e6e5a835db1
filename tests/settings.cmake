pcu_add_test(tst_download tst_download.cpp LIBS pcu_download)
