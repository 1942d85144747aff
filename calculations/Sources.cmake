# The library's sources, layer by layer from the bottom (docs/design.md, "The
# layers"): the normal library and the reference library of the differential check
# are both built from this one list.
file(GLOB TERVANIX_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_LIST_DIR}/Tervanix/elementary/*.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tervanix/runtime/*.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tervanix/*.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tervanix/batch/*.cpp)
