# Version resources for the Windows DLLs: tervanix_add_version_resource(<target>
# DESCRIPTION <text>) compiles, for a Windows target, a VERSIONINFO resource into the
# DLL (or program) with the project's version as its file and product version, the
# product name, the file's description and name, and the copyright line of LICENSE.
# Windows shows it in the file's properties, and installers and hosts read it. Elsewhere
# the function does nothing. Include this file at directory scope: the resource
# compiler (windres with mingw-w64) is enabled here for Windows targets.
if(WIN32)
  enable_language(RC)
endif()

set(TERVANIX_VERSION_RC_IN ${CMAKE_CURRENT_LIST_DIR}/VersionResource.rc.in)

function(tervanix_add_version_resource target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "DESCRIPTION" "")
  if(NOT WIN32)
    return()
  endif()
  if(NOT arg_DESCRIPTION)
    message(FATAL_ERROR "tervanix_add_version_resource(${target}): DESCRIPTION is required")
  endif()
  file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE copyright REGEX "^Copyright " LIMIT_COUNT 1)
  if(NOT copyright)
    message(FATAL_ERROR "LICENSE has no Copyright line")
  endif()
  get_target_property(type ${target} TYPE)
  get_target_property(output_name ${target} OUTPUT_NAME)
  if(NOT output_name)
    set(output_name ${target})
  endif()
  if(type STREQUAL "EXECUTABLE")
    set(TERVANIX_RC_FILETYPE VFT_APP)
    set(TERVANIX_RC_FILENAME ${output_name}.exe)
  elseif(type STREQUAL "SHARED_LIBRARY" OR type STREQUAL "MODULE_LIBRARY")
    set(TERVANIX_RC_FILETYPE VFT_DLL)
    set(TERVANIX_RC_FILENAME ${output_name}.dll)
  else()
    message(FATAL_ERROR "tervanix_add_version_resource(${target}): not a DLL or a program")
  endif()
  # The four numbers of a Windows version; the project's version has three.
  set(TERVANIX_RC_VERSION_COMMA "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
  set(TERVANIX_RC_VERSION "${PROJECT_VERSION}")
  set(TERVANIX_RC_DESCRIPTION "${arg_DESCRIPTION}")
  set(TERVANIX_RC_INTERNAL_NAME "${output_name}")
  string(REPLACE "\"" "\"\"" TERVANIX_RC_COPYRIGHT "${copyright}")
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${TERVANIX_VERSION_RC_IN} ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
