# A library of the other architecture under an archiver library's and an
# image plug-in's names, in tests/other_arch of the tree, for the tests that
# the program refuses it like a missing one. Built with the other mingw
# compiler, which the set-up installs for the other tree anyway.
if(QM_ARCH STREQUAL x86_64)
  set(qm_other_triple i686-w64-mingw32)
else()
  set(qm_other_triple x86_64-w64-mingw32)
endif()
set(QM_OTHER_ARCH_DIR "${CMAKE_BINARY_DIR}/tests/other_arch")
set(qm_other_source "${PROJECT_SOURCE_DIR}/tests/other_arch/other_arch_library.c")
add_custom_command(OUTPUT "${QM_OTHER_ARCH_DIR}/Unlha32.dll" "${QM_OTHER_ARCH_DIR}/ifmag.spi"
  COMMAND "${CMAKE_COMMAND}" -E make_directory "${QM_OTHER_ARCH_DIR}"
  COMMAND ${qm_other_triple}-gcc-posix -shared -s -o "${QM_OTHER_ARCH_DIR}/Unlha32.dll" "${qm_other_source}"
  COMMAND "${CMAKE_COMMAND}" -E copy "${QM_OTHER_ARCH_DIR}/Unlha32.dll" "${QM_OTHER_ARCH_DIR}/ifmag.spi"
  DEPENDS "${qm_other_source}")
add_custom_target(qm_other_arch_libraries
  DEPENDS "${QM_OTHER_ARCH_DIR}/Unlha32.dll" "${QM_OTHER_ARCH_DIR}/ifmag.spi")
