# One static library per folder: its sources are every .cpp there that is not a test;
# its test program `<name>_test` is every `*_test.cpp` beside them. A GUI library (one that
# links wxWidgets) stays out of the set that benchmarks and fuzz targets link.

function(zyl_library name)
  cmake_parse_arguments(ARG "GUI" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  list(FILTER sources EXCLUDE REGEX "_test\\.cpp$")
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}")
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  if(NOT ARG_GUI)
    set_property(GLOBAL APPEND PROPERTY ZYL_LIBRARIES ${name})
  endif()
endfunction()

# Benchmarks and fuzz targets link every library made so far.
function(zyl_all_libraries_target target)
  get_property(libraries GLOBAL PROPERTY ZYL_LIBRARIES)
  add_library(${target} INTERFACE)
  target_link_libraries(${target} INTERFACE ${libraries})
endfunction()

# Tests that need a display carry the label `gui`, rendering tests `gl`; pass it in LABELS.
function(zyl_tests name)
  cmake_parse_arguments(ARG "" "" "DEPS;LABELS" ${ARGN})
  if(NOT ZYL_TESTS OR ZYL_TSAN)
    return()
  endif()
  file(GLOB tests CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp")
  if(NOT tests)
    return()
  endif()
  add_executable(${name}_test ${tests})
  target_link_libraries(${name}_test PRIVATE ${name} ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  # Discovered tests keep one label only (a list is cut at its first element), so a test program
  # that needs a display or GL is labelled by that need, any other by its folder.
  set(label ${name})
  if(ARG_LABELS)
    list(GET ARG_LABELS 0 label)
  endif()
  gtest_discover_tests(${name}_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES LABELS ${label})
endfunction()

# The lock and clock tests also run under ThreadSanitizer. In a tree configured with ZYL_TSAN,
# zyl_tests makes nothing, and zyl_tsan_tests makes `<name>_tsan_test` from the given test files,
# labelled `tsan`; the target `zyl_tsan_tests` builds these programs and just what they link.
function(zyl_tsan_tests name)
  cmake_parse_arguments(ARG "" "" "DEPS;SOURCES" ${ARGN})
  if(NOT ZYL_TESTS OR NOT ZYL_TSAN)
    return()
  endif()
  list(TRANSFORM ARG_SOURCES PREPEND "${CMAKE_CURRENT_SOURCE_DIR}/")
  add_executable(${name}_tsan_test ${ARG_SOURCES})
  target_link_libraries(${name}_tsan_test PRIVATE ${name} ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}_tsan_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES LABELS tsan)
  if(NOT TARGET zyl_tsan_tests)
    add_custom_target(zyl_tsan_tests)
  endif()
  add_dependencies(zyl_tsan_tests ${name}_tsan_test)
endfunction()
