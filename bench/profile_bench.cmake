# SPDX-License-Identifier: GPL-3.0-or-later
# Reading 200 keys from a 5 MB settings file, and one write into it. Run with `ctest -L bench`;
# the argument is the number of runs (the median is printed).
trek_program(profile_bench ${CMAKE_CURRENT_LIST_DIR}/profile_bench.cpp)
target_link_libraries(profile_bench PRIVATE trek_options trek_platform_os)
add_test(NAME profile_bench COMMAND profile_bench 9)
set_tests_properties(profile_bench PROPERTIES LABELS bench)
