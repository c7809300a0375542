# System DLLs that lanvoy.exe needs only for one command or dialog, or first
# on the thread that reads the adapters at start, are loaded at their first
# call instead of before the window: every DLL loaded at start costs it
# several milliseconds (more under Wine).
#
# lanvoy_delay_import(<dll>...) makes, for each, an imported library target
# delay_<dll> to link in place of <dll>: a delay-import library that dlltool
# builds from the exports the MinGW-w64 import library lists. The loader's
# helper, __delayLoadHelper2, comes with the MinGW-w64 runtime.

find_program(LANVOY_DLLTOOL NAMES x86_64-w64-mingw32-dlltool REQUIRED)
find_program(LANVOY_NM NAMES x86_64-w64-mingw32-nm REQUIRED)
find_program(LANVOY_OBJDUMP NAMES x86_64-w64-mingw32-objdump REQUIRED)

function(lanvoy_delay_import)
  foreach(dll IN LISTS ARGN)
    if(TARGET delay_${dll})
      continue()
    endif()
    find_library(lanvoy_import_${dll} NAMES lib${dll}.a REQUIRED)
    set(import "${lanvoy_import_${dll}}")
    set(folder "${CMAKE_BINARY_DIR}/delay-import")
    set(lib "${folder}/lib${dll}_delay.a")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${import}")
    if(NOT EXISTS "${lib}" OR "${import}" IS_NEWER_THAN "${lib}")
      execute_process(COMMAND "${LANVOY_NM}" -g "${import}" OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
      string(REGEX MATCHALL " I __imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
      list(TRANSFORM imports REPLACE " I __imp_" "")
      list(REMOVE_DUPLICATES imports)
      list(SORT imports)
      list(JOIN imports "\n  " exports)
      file(MAKE_DIRECTORY "${folder}")
      file(WRITE "${folder}/${dll}.def" "LIBRARY ${dll}.dll\nEXPORTS\n  ${exports}\n")
      execute_process(COMMAND "${LANVOY_DLLTOOL}" --input-def "${folder}/${dll}.def" --dllname "${dll}.dll"
                              --output-delaylib "${lib}"
                      WORKING_DIRECTORY "${folder}" COMMAND_ERROR_IS_FATAL ANY)
    endif()
    add_library(delay_${dll} STATIC IMPORTED GLOBAL)
    set_target_properties(delay_${dll} PROPERTIES IMPORTED_LOCATION "${lib}")
  endforeach()
endfunction()
