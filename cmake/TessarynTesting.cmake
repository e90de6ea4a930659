# tessaryn_gtest(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2)
# A GoogleTest executable registered with ctest. Tests run on the offscreen
# platform with their own XDG directories so they never touch the user's files.
function(tessaryn_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest tessaryn_gtest_main)
  tessaryn_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  # The shared main exits 77 only when every test skipped itself and none
  # failed; ctest then reports the executable as skipped.
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                                          SKIP_RETURN_CODE 77)
endfunction()

# tessaryn_qtest(NAME SOURCES a.cpp LIBS lib1): a QtTest executable.
function(tessaryn_qtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test tessaryn_testsupport)
  tessaryn_warnings(${name})
  add_dependencies(${name} tessaryn_qtest_runner)
  # The runner exits 77 only when every test skipped itself (QSKIP) and none
  # failed; ctest then reports the executable as skipped.
  add_test(NAME ${name} COMMAND tessaryn_qtest_runner $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                                          SKIP_RETURN_CODE 77)
endfunction()
