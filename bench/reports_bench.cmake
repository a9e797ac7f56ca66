# SPDX-License-Identifier: GPL-3.0-or-later
# The month report and the day report of minute data with its moving hour, from a store file and
# from memory. Run with `ctest -L bench`; the argument is the number of runs (the median is
# printed).
trek_program(reports_bench ${CMAKE_CURRENT_LIST_DIR}/reports_bench.cpp)
target_link_libraries(reports_bench PRIVATE trek_options trek_reports trek_emulator)
add_test(NAME reports_bench COMMAND reports_bench 21)
set_tests_properties(reports_bench PROPERTIES LABELS bench)
