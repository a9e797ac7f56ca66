# One interface target carries the warnings and Qt strictness defines for every target.
add_library(trek_options INTERFACE)
target_compile_options(trek_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
  -Woverloaded-virtual -Wconversion -Wno-sign-conversion)
target_compile_definitions(trek_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_USE_QSTRINGBUILDER QT_STRICT_ITERATORS
  QT_NO_FOREACH)
target_include_directories(trek_options INTERFACE ${PROJECT_SOURCE_DIR}/src)
if(TREK_SANITIZE)
  target_compile_options(trek_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(trek_options INTERFACE -fsanitize=address,undefined)
endif()
