# Every header of src/ must compile on its own (it includes what it uses) and
# twice in a row (it is guarded). Each header gets a one-line source file,
# compiled as part of the normal build, so a header that leans on what its
# includer happened to include first fails the build where it is written.
#
# Windows trees check every header with the usage requirements of all the
# project's libraries. The native tree checks the headers that sit beside the
# sources of the portable libraries with their own library's requirements:
# that also proves the portable core's headers need no Windows.

set(QM_HEADER_CHECK_DIR "${CMAKE_BINARY_DIR}/header_check")
get_property(QM_ALL_LIBRARIES GLOBAL PROPERTY QM_LIBRARIES)

# Writes the check source of one header (path relative to src/) and appends
# it to the list named by out_var; rewritten only when it changes, so a
# re-configure does not rebuild the checks.
function(qm_header_check_source header out_var)
  string(MAKE_C_IDENTIFIER "${header}" id)
  set(file "${QM_HEADER_CHECK_DIR}/${id}.cpp")
  set(text "#include \"${header}\"\n#include \"${header}\"\n")
  if(EXISTS "${file}")
    file(READ "${file}" old)
  else()
    set(old "")
  endif()
  if(NOT old STREQUAL text)
    file(WRITE "${file}" "${text}")
  endif()
  set(${out_var} ${${out_var}} "${file}" PARENT_SCOPE)
endfunction()

function(qm_header_check_target name headers libraries)
  set(sources "")
  foreach(h IN LISTS headers)
    qm_header_check_source("${h}" sources)
  endforeach()
  if(sources)
    add_library(${name} OBJECT ${sources})
    qm_project_flags(${name})
    target_link_libraries(${name} PRIVATE ${libraries})
  endif()
endfunction()

if(WIN32)
  file(GLOB_RECURSE QM_ALL_HEADERS RELATIVE "${PROJECT_SOURCE_DIR}/src" CONFIGURE_DEPENDS
       "${PROJECT_SOURCE_DIR}/src/*.h")
  list(SORT QM_ALL_HEADERS)
  qm_header_check_target(qm_header_check "${QM_ALL_HEADERS}" "${QM_ALL_LIBRARIES}")
else()
  foreach(lib IN LISTS QM_ALL_LIBRARIES)
    get_target_property(lib_dir ${lib} SOURCE_DIR)
    get_target_property(lib_sources ${lib} SOURCES)
    set(headers "")
    foreach(src IN LISTS lib_sources)
      if(NOT IS_ABSOLUTE "${src}")
        set(src "${lib_dir}/${src}")
      endif()
      get_filename_component(stem "${src}" NAME_WE)
      get_filename_component(src_dir "${src}" DIRECTORY)
      if(EXISTS "${src_dir}/${stem}.h")
        file(RELATIVE_PATH h "${PROJECT_SOURCE_DIR}/src" "${src_dir}/${stem}.h")
        list(APPEND headers "${h}")
      endif()
    endforeach()
    qm_header_check_target(${lib}_header_check "${headers}" ${lib})
  endforeach()
endif()
