# SPDX-License-Identifier: GPL-3.0-or-later
# The report tab's work for one click and the sleep analysis's for one move, painting included.
# Run with `ctest -L bench`; the argument is the number of runs (median and 95th percentile).
trek_program(reportpaint_bench ${CMAKE_CURRENT_LIST_DIR}/reportpaint_bench.cpp)
target_link_libraries(reportpaint_bench PRIVATE trek_options trek_reports_ui trek_emulator
  trek_testdoubles)
add_test(NAME reportpaint_bench COMMAND reportpaint_bench 21)
set_tests_properties(reportpaint_bench PROPERTIES LABELS bench)
