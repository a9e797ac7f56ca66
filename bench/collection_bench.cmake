# SPDX-License-Identifier: GPL-3.0-or-later
# Taking a leap year of KDX day files and a 99-block K9E stream into the store, every save
# durable, beside the floor of one synced file of the same bytes. Run with `ctest -L bench`; the
# argument is the number of runs (the medians are printed). As root it mounts an ext4 image of its
# own through a loop device.
trek_program(collection_bench ${CMAKE_CURRENT_LIST_DIR}/collection_bench.cpp)
target_link_libraries(collection_bench PRIVATE trek_options trek_data trek_emulator
  trek_platform_sim trek_testdoubles)
add_test(NAME collection_bench COMMAND collection_bench 7)
set_tests_properties(collection_bench PROPERTIES LABELS bench)
