# The Windows installation: the two programs and the twelve bitmaps in one
# folder, where the window reads the bitmaps beside its executable.
install(TARGETS tr7400config tr7400ctl RUNTIME DESTINATION .)
