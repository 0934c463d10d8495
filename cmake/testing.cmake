include(GoogleTest)
enable_testing()

# zemo_add_tests(<module> SOURCES ... [LIBS ...] [ENVIRONMENT VAR=value ...] [REAL_POINTER])
# One executable tests_<module> per module, every case listed by gtest_discover_tests.
# The cross build labels the cases with the module's name, the native build with "native".
# REAL_POINTER: the cases of suites named *RealPointer* move the screen's one pointer, and
# those named *RealFocus* need the keyboard focus of the active window, so they hold the
# lock "real_pointer" while they run (test programs share one screen).
function(zemo_add_tests module)
  cmake_parse_arguments(T "REAL_POINTER" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  set(target tests_${module})
  add_executable(${target} ${T_SOURCES})
  target_link_libraries(${target} PRIVATE zemo_test_main ${T_LIBS})
  if(ZEMO_NATIVE)
    set(label native)
  else()
    set(label ${module})
  endif()
  set(properties LABELS ${label} TIMEOUT 300)
  if(T_ENVIRONMENT)
    list(APPEND properties ENVIRONMENT "${T_ENVIRONMENT}")
  endif()
  if(NOT T_REAL_POINTER)
    gtest_discover_tests(${target}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 120
      PROPERTIES ${properties})
    return()
  endif()
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    TEST_FILTER "-*RealPointer*:*RealFocus*"
    PROPERTIES ${properties})
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    TEST_FILTER "*RealPointer*:*RealFocus*"
    TEST_LIST ${target}_REAL_POINTER_TESTS
    PROPERTIES ${properties} RESOURCE_LOCK real_pointer)
endfunction()
