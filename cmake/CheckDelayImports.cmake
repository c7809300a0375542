# Fails when PROGRAM imports directly any of the DLLs in DELAYED, which are
# meant to load at their first call.
# cmake -DOBJDUMP=<objdump> -DPROGRAM=<exe> -DDELAYED=<dll;...> -P CheckDelayImports.cmake
cmake_minimum_required(VERSION 3.20)
execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}" OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "DLL Name: [^\n]+" names "${headers}")
string(TOLOWER "${names}" names)
set(found "")
foreach(dll IN LISTS DELAYED)
  string(TOLOWER "${dll}" dll)
  if("dll name: ${dll}.dll" IN_LIST names)
    list(APPEND found "${dll}.dll")
  endif()
endforeach()
if(found)
  message(FATAL_ERROR "${PROGRAM} loads ${found} at start: link delay_<dll>, not <dll>")
endif()
message(STATUS "${PROGRAM}: none of ${DELAYED} is imported directly")
