# GoogleTest for the behaviour suite: the system's own copy on Linux, built
# from Debian's sources for Windows; Windows tests run under Wine.

include(GoogleTest)

if(WIN32)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()

if(CMAKE_CROSSCOMPILING AND WIN32)
  set(AOKIRI_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
  configure_file(${CMAKE_CURRENT_LIST_DIR}/run-under-wine.sh.in
                 ${CMAKE_BINARY_DIR}/run-under-wine.sh @ONLY)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/run-under-wine.sh)
endif()

# One CTest entry per test case, listed when CTest runs (so Wine is only
# started by CTest, never by the build).
# On Linux each suite gets a Windows directory of its own. Further arguments
# are test properties.
function(aokiri_add_test_suite target)
  set(properties TIMEOUT 120 ${ARGN})
  if(NOT WIN32)
    list(APPEND properties ENVIRONMENT "AOKIRI_CONFIG_DIR=${CMAKE_CURRENT_BINARY_DIR}/${target}-windows")
  endif()
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES ${properties})
endfunction()
