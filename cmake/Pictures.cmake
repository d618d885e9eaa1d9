# The picture folder Contents/Resources beside the program, drawn at build time from the
# drawing code in tools/pictures and rendered with rsvg-convert (Debian's librsvg2-bin).
file(GLOB MELTEMIX_PICTURE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/pictures/*.py)
list(FILTER MELTEMIX_PICTURE_SOURCES EXCLUDE REGEX "/mock\\.py$")
set(MELTEMIX_PICTURES_DIR ${CMAKE_BINARY_DIR}/Contents/Resources)
set(MELTEMIX_PICTURES_STAMP ${CMAKE_CURRENT_BINARY_DIR}/pictures.stamp)
add_custom_command(
  # One picture among the outputs, so that a deleted folder is drawn again.
  OUTPUT ${MELTEMIX_PICTURES_STAMP} ${MELTEMIX_PICTURES_DIR}/UI/Close.png
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/pictures/render.py ${MELTEMIX_PICTURES_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${MELTEMIX_PICTURES_STAMP}
  DEPENDS ${MELTEMIX_PICTURE_SOURCES}
  COMMENT "Drawing the picture folder Contents/Resources"
  VERBATIM)
add_custom_target(meltemix_pictures ALL DEPENDS ${MELTEMIX_PICTURES_STAMP})
