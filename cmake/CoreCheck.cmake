# The core folders stay free of the toolkit: configuring fails when one of them
# includes a Qt header, and the test core_has_no_qt repeats the check.
set(LUMETRA_ROOT ${PROJECT_SOURCE_DIR})
include(${CMAKE_CURRENT_LIST_DIR}/CheckCoreFreeOfQt.cmake)
