# SPDX-License-Identifier: GPL-3.0-or-later
# The Trends dialog over a generated year: opening it, a switch to the year and to 30 nights,
# each read, computed and painted. Run with `ctest -L bench`; the argument is the number of runs
# (median and 95th percentile); it fails when a median is over its bound.
trek_program(trends_bench ${CMAKE_CURRENT_LIST_DIR}/trends_bench.cpp)
target_link_libraries(trends_bench PRIVATE trek_options trek_trends_ui trek_emulator
  trek_testdoubles)
add_test(NAME trends_bench COMMAND trends_bench 21)
set_tests_properties(trends_bench PROPERTIES LABELS bench)
