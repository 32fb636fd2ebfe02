# Module selection and the small helpers every folder's CMakeLists uses. A module is named
# after its folder: text, jet, automation, widgets (with its folders slipgrid and datactl),
# report, host (platform); frame, masters, ledger, reports, overtime, closing, maintenance
# (app); core, paint (core/paint), list, qt (control), the list window (list/window) coming
# with paint; tamsel-db, vantil-host, vantil-container (tools). The suites and benchmarks use
# the same names, and edit (the core's edit area) and listwin (the list window) for theirs.

# tamsel_module_enabled(<name> <out-var>): true when TAMSEL_MODULES is "all" or lists <name>.
function(tamsel_module_enabled name out)
  if(TAMSEL_MODULES STREQUAL "all" OR name IN_LIST TAMSEL_MODULES)
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

# tamsel_add_modules(<folder>...): add_subdirectory for each enabled folder that has a CMakeLists.
function(tamsel_add_modules)
  foreach(dir IN LISTS ARGN)
    tamsel_module_enabled(${dir} _enabled)
    if(_enabled AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

# tamsel_add_gtest(<name> SOURCES <files>... LIBS <targets>...)
# One test executable, registered with CTest as one test. Widget tests run on Qt's offscreen
# platform; tests make their own temporary TAMSEL_HOME (under TAMSEL_TEST_TMP) so nothing
# touches a user's data.
function(tamsel_add_gtest name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main Threads::Threads)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TAMSEL_TEST_TMP=${CMAKE_BINARY_DIR}/test-tmp;VANTIL_REGISTRY=${CMAKE_BINARY_DIR}/vantil-registry.txt")
endfunction()

# tamsel_add_bench(<name> SOURCES <files>... LIBS <targets>...)
# One benchmark program with the shared main (bench/support: the QApplication, then the
# benchmarks of the command line).
function(tamsel_add_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} tamsel_bench_main benchmark::benchmark
    Threads::Threads)
endfunction()
