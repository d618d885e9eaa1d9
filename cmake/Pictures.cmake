# The picture folders beside the program, drawn at build time from the drawing code in
# tools/pictures and rendered with rsvg-convert (Debian's librsvg2-bin): Contents/Resources
# at the pictures' own size and Contents/Resources@2x, the same names at twice the size, for
# displays at twice the pixel density.
file(GLOB MELTEMIX_PICTURE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/pictures/*.py)
list(FILTER MELTEMIX_PICTURE_SOURCES EXCLUDE REGEX "/mock\\.py$")
set(MELTEMIX_PICTURES_DIR ${CMAKE_BINARY_DIR}/Contents/Resources)
set(MELTEMIX_PICTURES_2X_DIR ${CMAKE_BINARY_DIR}/Contents/Resources@2x)

set(MELTEMIX_PICTURE_STAMPS)
foreach(scale 1 2)
  if(scale EQUAL 1)
    set(folder ${MELTEMIX_PICTURES_DIR})
  else()
    set(folder ${MELTEMIX_PICTURES_2X_DIR})
  endif()
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/pictures-${scale}x.stamp)
  add_custom_command(
    # One picture among the outputs, so that a deleted folder is drawn again.
    OUTPUT ${stamp} ${folder}/UI/Close.png
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/pictures/render.py ${folder}
            --scale ${scale}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${MELTEMIX_PICTURE_SOURCES}
    COMMENT "Drawing the picture folder ${folder}"
    VERBATIM)
  list(APPEND MELTEMIX_PICTURE_STAMPS ${stamp})
endforeach()
add_custom_target(meltemix_pictures ALL DEPENDS ${MELTEMIX_PICTURE_STAMPS})
