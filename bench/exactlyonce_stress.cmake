# SPDX-License-Identifier: GPL-3.0-or-later
# Kills at random moments of the command-line tool's collections and unplugs in the middle of
# in-process ones, each compared with an undisturbed collection. Run with `ctest -L bench`; the
# arguments are the number of kills and of unplug cycles (`exactlyonce_stress 1000 100` for a
# long run), then an optional seed.
trek_program(exactlyonce_stress ${CMAKE_CURRENT_LIST_DIR}/exactlyonce_stress.cpp)
target_link_libraries(exactlyonce_stress PRIVATE trek_options trek_data trek_emulator
  trek_platform_sim trek_platform_os trek_testsupport)
target_compile_definitions(exactlyonce_stress PRIVATE
  TREK_CLI_PATH="$<TARGET_FILE:trekkomat-cli>")
add_dependencies(exactlyonce_stress trekkomat-cli)
add_test(NAME exactlyonce_stress COMMAND exactlyonce_stress 20 5)
set_tests_properties(exactlyonce_stress PROPERTIES LABELS bench TIMEOUT 600)
