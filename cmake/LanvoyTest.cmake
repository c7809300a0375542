# The windows build made on Linux runs its tests under Wine.
if(LANVOY_WINDOWS AND CMAKE_CROSSCOMPILING)
  set(LANVOY_UNDER_WINE ON)
else()
  set(LANVOY_UNDER_WINE OFF)
endif()

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
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "WINEPREFIX=${LANVOY_WINEPREFIX};WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=")
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix)
  endif()
  if(T_ENV)
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT ${T_ENV})
  endif()
endfunction()

# Creates the prefix, seeds the demo machine and keeps one wineserver alive
# for the run, so each test executable starts fast.
function(lanvoy_add_wine_fixture)
  if(NOT LANVOY_UNDER_WINE)
    return()
  endif()
  add_test(NAME wine_prefix
    COMMAND bash -c "'${PROJECT_SOURCE_DIR}/tools/seed-demo.sh' '${LANVOY_WINEPREFIX}' && (WINEPREFIX='${LANVOY_WINEPREFIX}' setsid wineserver -p20 </dev/null >/dev/null 2>&1 &)")
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300)
endfunction()
