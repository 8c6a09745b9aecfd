# Helpers shared by every subsystem's CMakeLists.

# Flags of the project's own code. Sources are UTF-8; string literals become
# CP932 bytes, the code page of every string the program handles. Never put
# these on third-party code.
function(qm_project_flags target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -finput-charset=UTF-8 -fexec-charset=CP932)
  target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  if(WIN32)
    target_compile_definitions(${target} PUBLIC WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600)
  endif()
endfunction()

# qm_library(NAME SOURCES a.cpp ... [DEPS lib ...])
# A static library of project code. Portable libraries are built in both
# trees; Win32 ones only where WIN32 is set (the caller decides).
function(qm_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  qm_project_flags(${name})
  if(A_DEPS)
    target_link_libraries(${name} PUBLIC ${A_DEPS})
  endif()
  set_property(GLOBAL APPEND PROPERTY QM_LIBRARIES ${name})
endfunction()

# qm_gtest(NAME SOURCES a_test.cpp ... [DEPS lib ...] [TIMEOUT s])
# One test executable, one ctest entry: under Wine a process per test case
# would cost a second each.
function(qm_gtest name)
  cmake_parse_arguments(A "" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  qm_project_flags(${name})
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 600)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT}
    ENVIRONMENT "QM_BIN_DIR=${CMAKE_BINARY_DIR}/bin;QM_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  if(WIN32)
    # Under Wine a process that crashed can still end with exit code 0, its
    # output cut short: a suite passes only when GoogleTest's closing line
    # says so and nothing failed or crashed on the way.
    set_tests_properties(${name} PROPERTIES
      PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [0-9]+ tests?\\."
      FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]|Unhandled exception|Unhandled page fault")
  endif()
endfunction()

# qm_def_file(TARGET FILE.def): the exports of a DLL. The .def files name
# the 32-bit stdcall symbols ("Name = Name@bytes"); x86-64 has one calling
# convention and undecorated names, so that tree exports the names alone,
# from a copy made at configure time.
function(qm_def_file target def)
  get_filename_component(def "${def}" ABSOLUTE)
  if(QM_ARCH STREQUAL x86_64)
    file(READ "${def}" text)
    string(REGEX REPLACE "([A-Za-z_][A-Za-z0-9_]*) = [A-Za-z_][A-Za-z0-9_]*@[0-9]+" "\\1" text "${text}")
    get_filename_component(name "${def}" NAME)
    set(out "${CMAKE_CURRENT_BINARY_DIR}/x86_64-${name}")
    file(CONFIGURE OUTPUT "${out}" CONTENT "${text}" @ONLY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${def}")
    target_sources(${target} PRIVATE "${out}")
  else()
    target_sources(${target} PRIVATE "${def}")
  endif()
endfunction()
