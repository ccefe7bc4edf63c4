# One static library per folder: its sources are every .cpp there that is not a test;
# its test program `<name>_test` is every `*_test.cpp` beside them. Every library exports only the
# repository root as include folder, so every include names its library ("show/frame.h").
# DEPS are linked PUBLIC (the library's headers need them), PRIVATE_DEPS only into the library.
# A folder's `test_support/` holds what only tests, fuzz targets and benchmarks use: it becomes
# the target `<name>_test_support` (linking the library and TEST_SUPPORT_DEPS), which the library's
# own test program links. A GUI library (one that links wxWidgets) stays out of the set that
# benchmarks and fuzz targets link.

function(zyl_library name)
  cmake_parse_arguments(ARG "GUI" "" "DEPS;PRIVATE_DEPS;TEST_SUPPORT_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  list(FILTER sources EXCLUDE REGEX "_test\\.cpp$")
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  if(NOT ARG_GUI)
    set_property(GLOBAL APPEND PROPERTY ZYL_LIBRARIES ${name})
  endif()
  if(ARG_GUI)
    zyl_test_support(${name} GUI DEPS ${ARG_TEST_SUPPORT_DEPS})
  else()
    zyl_test_support(${name} DEPS ${ARG_TEST_SUPPORT_DEPS})
  endif()
endfunction()

function(zyl_test_support name)
  cmake_parse_arguments(ARG "GUI" "" "DEPS" ${ARGN})
  set(folder "${CMAKE_CURRENT_SOURCE_DIR}/test_support")
  if(NOT IS_DIRECTORY "${folder}")
    return()
  endif()
  file(GLOB sources CONFIGURE_DEPENDS "${folder}/*.cpp")
  if(sources)
    add_library(${name}_test_support STATIC ${sources})
    target_link_libraries(${name}_test_support PUBLIC ${name} ${ARG_DEPS})
  else()
    add_library(${name}_test_support INTERFACE)
    target_link_libraries(${name}_test_support INTERFACE ${name} ${ARG_DEPS})
  endif()
  if(TARGET GTest::gtest)
    target_link_libraries(${name}_test_support INTERFACE GTest::gtest)
  endif()
  if(NOT ARG_GUI)
    set_property(GLOBAL APPEND PROPERTY ZYL_TEST_SUPPORTS ${name}_test_support)
  endif()
endfunction()

# Benchmarks and fuzz targets link every library made so far (`<target>`) and every test support
# (`<target>_test_support`).
function(zyl_all_libraries_target target)
  get_property(libraries GLOBAL PROPERTY ZYL_LIBRARIES)
  add_library(${target} INTERFACE)
  target_link_libraries(${target} INTERFACE ${libraries})
  get_property(supports GLOBAL PROPERTY ZYL_TEST_SUPPORTS)
  add_library(${target}_test_support INTERFACE)
  target_link_libraries(${target}_test_support INTERFACE ${target} ${supports})
endfunction()

# Tests that need a display carry the label `gui`, rendering tests `gl`; pass it in LABELS.
# `make test` runs the `gui` tests on one shared Xvfb display, one program at a time (they take the
# resource lock `display`); a test program that starts its own X server says OWN_DISPLAY.
function(zyl_tests name)
  cmake_parse_arguments(ARG "OWN_DISPLAY" "" "DEPS;LABELS" ${ARGN})
  if(NOT ZYL_TESTS OR ZYL_TSAN)
    return()
  endif()
  file(GLOB tests CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp")
  if(NOT tests)
    return()
  endif()
  add_executable(${name}_test ${tests})
  target_link_libraries(${name}_test PRIVATE ${name} ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(TARGET ${name}_test_support)
    target_link_libraries(${name}_test PRIVATE ${name}_test_support)
  endif()
  # Discovered tests keep one label only (a list is cut at its first element), so a test program
  # that needs a display or GL is labelled by that need, any other by its folder.
  set(label ${name})
  if(ARG_LABELS)
    list(GET ARG_LABELS 0 label)
  endif()
  set(properties LABELS ${label})
  if(label STREQUAL "gui" AND NOT ARG_OWN_DISPLAY)
    list(APPEND properties RESOURCE_LOCK display)
  elseif(label STREQUAL "gui")
    # A player with its own display plays sound against its picture; beside another such test on
    # a small machine the two starve each other's timers, so they take turns.
    list(APPEND properties RUN_SERIAL TRUE)
  endif()
  gtest_discover_tests(${name}_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ${properties})
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
  if(TARGET ${name}_test_support)
    target_link_libraries(${name}_tsan_test PRIVATE ${name}_test_support)
  endif()
  gtest_discover_tests(${name}_tsan_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES LABELS tsan)
  if(NOT TARGET zyl_tsan_tests)
    add_custom_target(zyl_tsan_tests)
  endif()
  add_dependencies(zyl_tsan_tests ${name}_tsan_test)
endfunction()
