# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the main window to its first paint, offscreen. Run with `ctest -L bench`.
trek_program(startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp)
target_link_libraries(startup_bench PRIVATE trek_options trek_window trek_testdoubles)
add_test(NAME startup_bench COMMAND startup_bench 9)
set_tests_properties(startup_bench PROPERTIES LABELS bench ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
