# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the real window to its first painted frame, next to a bare Qt window built the same
# way, offscreen. Run with `ctest -L bench`; the argument is the number of runs of each.
trek_program(bare_window ${CMAKE_CURRENT_LIST_DIR}/bare_window.cpp)
target_link_libraries(bare_window PRIVATE Qt6::Widgets)

trek_program(startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp)
target_link_libraries(startup_bench PRIVATE trek_options Qt6::Core)
target_compile_definitions(startup_bench PRIVATE TREK_WINDOW_PATH="$<TARGET_FILE:trekkomat>"
  TREK_BARE_WINDOW_PATH="$<TARGET_FILE:bare_window>")
add_dependencies(startup_bench trekkomat bare_window)
add_test(NAME startup_bench COMMAND startup_bench 21)
set_tests_properties(startup_bench PROPERTIES LABELS bench ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
