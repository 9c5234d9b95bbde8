# GoogleTest from the Debian sources, built with the project's own flags (and for mingw too).
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ${WIN32} CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# cp_add_test(<name> SOURCES ... LIBS ... [TIMEOUT s] [FIXTURE f]): one test program, registered
# with ctest, needing the ctest fixture f when one is named. Native programs are split per test
# case; cross-built ones run whole under the emulator.
function(cp_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT;FIXTURE" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  # The sources of a test program are compiled eight at a time in one unit: the programs are
  # many small files over the same large headers. Names at file scope must differ across them.
  set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main cp_warnings)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
    if(T_FIXTURE)
      set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED ${T_FIXTURE})
    endif()
  elseif(T_FIXTURE)
    # ctest runs two tests at a time; the tests of one fixture share its server and scratch
    # files, so they take turns.
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                         PROPERTIES TIMEOUT ${T_TIMEOUT} FIXTURES_REQUIRED ${T_FIXTURE}
                                    RESOURCE_LOCK ${T_FIXTURE})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${T_TIMEOUT})
  endif()
endfunction()

# cp_add_odbc_test(<name> SOURCES ... LIBS ...): a test program of the ODBC layer. It reaches a
# private PostgreSQL server, which ctest starts in the build tree before the first such test and
# stops after the last (even when one fails), and SQLite files in a scratch folder of the build
# tree, both through the host's unixODBC drivers (under Wine too: its odbc32 hands every call on
# to them, so the paths are the host's).
function(cp_add_odbc_test name)
  set(server ${CMAKE_BINARY_DIR}/pg)
  if(NOT TEST cp_pg_server_start)
    add_test(NAME cp_pg_server_start COMMAND ${PROJECT_SOURCE_DIR}/scripts/pg-server start ${server})
    add_test(NAME cp_pg_server_stop COMMAND ${PROJECT_SOURCE_DIR}/scripts/pg-server stop ${server})
    set_tests_properties(cp_pg_server_start PROPERTIES FIXTURES_SETUP cp_pg_server TIMEOUT 120)
    set_tests_properties(cp_pg_server_stop PROPERTIES FIXTURES_CLEANUP cp_pg_server TIMEOUT 60)
  endif()
  cp_add_test(${name} ${ARGN} FIXTURE cp_pg_server TIMEOUT 300)
  execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/pg-server connect ${server}
                  OUTPUT_VARIABLE connection OUTPUT_STRIP_TRAILING_WHITESPACE)
  # A connection string holds semicolons, which a compile definition cannot carry.
  set(paths ${CMAKE_BINARY_DIR}/generated/odbc)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/odbc-scratch)
  file(CONFIGURE OUTPUT ${paths}/OdbcTestPaths.h CONTENT
       "#define CP_TEST_POSTGRES \"${connection}\"\n#define CP_TEST_SCRATCH \"${CMAKE_BINARY_DIR}/odbc-scratch\"\n")
  target_include_directories(${name} PRIVATE ${paths})
endfunction()
