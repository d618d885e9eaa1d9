# Build pieces of the built-in live provider, included by core/CMakeLists.txt.

# The Turkish provinces are compiled in from the data file, so the program needs no file
# beside it to resolve their location codes.
set(PROVINCES_TSV ${PROJECT_SOURCE_DIR}/data/turkish-provinces.tsv)
set(PROVINCES_CPP ${CMAKE_CURRENT_BINARY_DIR}/generated/TurkishProvinceTable.cpp)
add_custom_command(
  OUTPUT ${PROVINCES_CPP}
  COMMAND ${CMAKE_COMMAND} -DINPUT=${PROVINCES_TSV} -DOUTPUT=${PROVINCES_CPP}
          -P ${CMAKE_CURRENT_LIST_DIR}/ProvinceTable.cmake
  DEPENDS ${PROVINCES_TSV} ${CMAKE_CURRENT_LIST_DIR}/ProvinceTable.cmake
  COMMENT "Turkish province table from data/turkish-provinces.tsv"
  VERBATIM)
target_sources(meltemix_core PRIVATE ${PROVINCES_CPP})

# The JSON reader is header-only. Its headers live in /usr/include, which the MinGW builds
# must not search (it holds the glibc headers), so core gets a folder of its own that
# holds nothing but a link to the library's folder.
set(MELTEMIX_JSON_HEADERS /usr/include/nlohmann CACHE PATH "Folder of the nlohmann json headers")
if(NOT EXISTS ${MELTEMIX_JSON_HEADERS}/json.hpp)
  message(FATAL_ERROR "nlohmann/json.hpp not found in ${MELTEMIX_JSON_HEADERS} "
                      "(Debian package nlohmann-json3-dev)")
endif()
set(MELTEMIX_JSON_ROOT ${CMAKE_BINARY_DIR}/json-include)
if(NOT EXISTS ${MELTEMIX_JSON_ROOT}/nlohmann/json.hpp)
  file(MAKE_DIRECTORY ${MELTEMIX_JSON_ROOT})
  file(CREATE_LINK ${MELTEMIX_JSON_HEADERS} ${MELTEMIX_JSON_ROOT}/nlohmann SYMBOLIC)
endif()
target_include_directories(meltemix_core SYSTEM PRIVATE ${MELTEMIX_JSON_ROOT})
