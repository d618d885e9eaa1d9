# cmake -DINPUT=turkish-provinces.tsv -DOUTPUT=TurkishProvinceTable.cpp -P ProvinceTable.cmake
# Writes the rows of the province file (plate, name, code, latitude, longitude; tab
# separated, a header line first) as a constant table. A malformed row fails the build
# rather than leaving a province out.
file(STRINGS ${INPUT} lines ENCODING UTF-8)
list(POP_FRONT lines header)
if(NOT header STREQUAL "plate\tname\tcode\tlatitude\tlongitude")
  message(FATAL_ERROR "${INPUT}: unexpected header '${header}'")
endif()

set(rows "")
set(count 0)
foreach(line IN LISTS lines)
  if(line STREQUAL "")
    continue()
  endif()
  if(line MATCHES "[;\"\\\\]")
    message(FATAL_ERROR "${INPUT}: unexpected character in '${line}'")
  endif()
  string(REPLACE "\t" ";" fields "${line}")
  list(LENGTH fields n)
  if(NOT n EQUAL 5)
    message(FATAL_ERROR "${INPUT}: expected 5 fields in '${line}'")
  endif()
  list(GET fields 0 plate)
  list(GET fields 1 name)
  list(GET fields 2 code)
  list(GET fields 3 latitude)
  list(GET fields 4 longitude)
  if(NOT plate MATCHES "^[0-9][0-9]$" OR NOT code MATCHES "^[A-Z0-9]+$" OR name STREQUAL ""
     OR NOT latitude MATCHES "^-?[0-9]+\\.[0-9]+$" OR NOT longitude MATCHES "^-?[0-9]+\\.[0-9]+$")
    message(FATAL_ERROR "${INPUT}: malformed row '${line}'")
  endif()
  string(APPEND rows "    {\"${plate}\", \"${name}\", \"${code}\", ${latitude}, ${longitude}},\n")
  math(EXPR count "${count} + 1")
endforeach()

file(WRITE ${OUTPUT}.tmp
  "// Generated from data/turkish-provinces.tsv; edit that file instead.\n"
  "#include \"core/provider/TurkishProvinces.h\"\n\n"
  "namespace meltemix {\n\n"
  "const TurkishProvince TurkishProvinces[] = {\n${rows}};\n\n"
  "const std::size_t TurkishProvinceCount = ${count};\n\n"
  "} // namespace meltemix\n")
configure_file(${OUTPUT}.tmp ${OUTPUT} COPYONLY)
file(REMOVE ${OUTPUT}.tmp)
