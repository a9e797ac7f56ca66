# SPDX-License-Identifier: GPL-3.0-or-later
# One interface target carries the warnings and Qt strictness defines for every target.
add_library(trek_options INTERFACE)
target_compile_features(trek_options INTERFACE cxx_std_20)
target_compile_options(trek_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
  -Woverloaded-virtual -Wconversion -Wno-sign-conversion)
target_compile_definitions(trek_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_USE_QSTRINGBUILDER QT_STRICT_ITERATORS
  QT_NO_FOREACH)
target_include_directories(trek_options INTERFACE ${PROJECT_SOURCE_DIR}/src)
# The fuzz targets run under the same checks as the sanitized suite, so one build serves both.
if(TREK_SANITIZE OR TREK_BUILD_FUZZ)
  target_compile_options(trek_options INTERFACE -fsanitize=address,undefined
    -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(trek_options INTERFACE -fsanitize=address,undefined)
endif()
# Every library a fuzz target links carries the coverage the fuzzer steers by; only the targets
# themselves link the fuzzer's main (fuzz/CMakeLists.txt).
if(TREK_BUILD_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TREK_BUILD_FUZZ needs clang for libFuzzer.")
  endif()
  target_compile_options(trek_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# trek_library(NAME SOURCES...) and trek_program(NAME SOURCES...): every target of the project is
# made by one of these, so each gets moc, standard C++20 without extensions, and the options.
function(trek_library name)
  add_library(${name} STATIC ${ARGN})
  trek_target_defaults(${name})
endfunction()

function(trek_program name)
  add_executable(${name} ${ARGN})
  trek_target_defaults(${name})
endfunction()

function(trek_target_defaults name)
  set_target_properties(${name} PROPERTIES AUTOMOC ON CXX_EXTENSIONS OFF)
  target_link_libraries(${name} PRIVATE trek_options)
endfunction()
