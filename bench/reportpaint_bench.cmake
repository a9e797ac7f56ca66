# SPDX-License-Identifier: GPL-3.0-or-later
# The report tab's work for one click, painting included, for the month and the day of minute
# data. Run with `ctest -L bench`; the argument is the number of runs (the median is printed).
trek_program(reportpaint_bench ${CMAKE_CURRENT_LIST_DIR}/reportpaint_bench.cpp)
target_link_libraries(reportpaint_bench PRIVATE trek_options trek_reports_ui trek_emulator)
add_test(NAME reportpaint_bench COMMAND reportpaint_bench 21)
set_tests_properties(reportpaint_bench PROPERTIES LABELS bench)
