# The windows build made on Linux runs its tests under Wine.
if(LANVOY_WINDOWS AND CMAKE_CROSSCOMPILING)
  set(LANVOY_UNDER_WINE ON)
else()
  set(LANVOY_UNDER_WINE OFF)
endif()

# Every Wine program of a test run shares one virtual screen, which the
# fixture below starts (tools/xvfb-session.sh) and tools/with-xvfb.sh finds.
set(LANVOY_SCREEN_DIR "${CMAKE_BINARY_DIR}/wine-screen")
set(LANVOY_WINE_TEST_ENV
  "WINEPREFIX=${LANVOY_WINEPREFIX};WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=;LANVOY_XVFB_DISPLAY_FILE=${LANVOY_SCREEN_DIR}/display")

# lanvoy_add_test(<name> SOURCES <files...> LIBS <targets...> [ENV <VAR=value...>] [WINDOWS_ONLY])
# One ctest test per executable: every Wine start costs time. In the windows
# build every test runs in the private prefix with the demo machine seeded.
function(lanvoy_add_test name)
  cmake_parse_arguments(T "WINDOWS_ONLY" "" "SOURCES;LIBS;ENV" ${ARGN})
  if(T_WINDOWS_ONLY AND NOT LANVOY_WINDOWS)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  if(LANVOY_UNDER_WINE)
    set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR
      ${PROJECT_SOURCE_DIR}/tools/with-xvfb.sh ${CMAKE_CROSSCOMPILING_EMULATOR})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${LANVOY_WINE_TEST_ENV}")
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix)
  endif()
  if(T_ENV)
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT ${T_ENV})
  endif()
endfunction()

# Starts the run's screen, creates the prefix, seeds the demo machine and
# keeps one wineserver alive for the run, so each test executable starts
# fast; every program of the run is on that one screen. A server left by an
# earlier run (on another screen) is waited for first. The cleanup stops the
# server, then the screen.
function(lanvoy_add_wine_fixture)
  if(NOT LANVOY_UNDER_WINE)
    return()
  endif()
  set(tools "${PROJECT_SOURCE_DIR}/tools")
  set(env "WINEPREFIX='${LANVOY_WINEPREFIX}' WINEDEBUG=-all")
  add_test(NAME wine_prefix
    COMMAND bash -c "set -e
      if [ -d '${LANVOY_WINEPREFIX}' ]; then ${env} wineserver -w; fi
      '${tools}/xvfb-session.sh' start '${LANVOY_SCREEN_DIR}'
      export DISPLAY=:$(cat '${LANVOY_SCREEN_DIR}/display')
      '${tools}/seed-demo.sh' '${LANVOY_WINEPREFIX}'
      (${env} setsid wineserver -p20 </dev/null >/dev/null 2>&1 &)")
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300)
  add_test(NAME wine_prefix_stop
    COMMAND bash -c "${env} wineserver -k 2>/dev/null; ${env} wineserver -w
      '${tools}/xvfb-session.sh' stop '${LANVOY_SCREEN_DIR}'")
  set_tests_properties(wine_prefix_stop PROPERTIES FIXTURES_CLEANUP wine_prefix TIMEOUT 120)
endfunction()
