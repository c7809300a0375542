cmake_minimum_required(VERSION 3.20)
# Compiles the manual into one help file. The pages are kept in UTF-8; the
# help viewer reads a Simplified-Chinese help file's contents, index and
# title in the GBK code page, so every text file goes in as a GBK copy.
# "@VERSION@" in a page becomes the project version.
# cmake -DPAGES=<folder> -DIMAGES=<folder> -DSTAGE=<scratch folder>
#       -DCHMCMD=<chmcmd> -DICONV=<iconv> -DVERSION=<x.y.z> -DOUT=<file.chm> -P BuildChm.cmake
foreach(var PAGES IMAGES STAGE CHMCMD ICONV VERSION OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "BuildChm: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}/images")

file(GLOB texts "${PAGES}/*")
foreach(source IN LISTS texts)
  get_filename_component(name "${source}" NAME)
  file(READ "${source}" text)
  string(REPLACE "charset=utf-8" "charset=gb2312" text "${text}")
  string(REPLACE "@VERSION@" "${VERSION}" text "${text}")
  file(WRITE "${STAGE}/utf8.tmp" "${text}")
  execute_process(COMMAND "${ICONV}" -f UTF-8 -t GBK
                  INPUT_FILE "${STAGE}/utf8.tmp" OUTPUT_FILE "${STAGE}/${name}"
                  ERROR_VARIABLE error RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "BuildChm: ${name} holds text that GBK cannot carry: ${error}")
  endif()
endforeach()
file(REMOVE "${STAGE}/utf8.tmp")

file(GLOB pictures "${IMAGES}/*.png")
file(COPY ${pictures} DESTINATION "${STAGE}/images")

# chmcmd compresses memory it has not cleared, so what it writes depends on
# where the system places the program: without address randomisation
# (setarch -R) the same pages give the same file.
find_program(SETARCH setarch)
if(SETARCH)
  execute_process(COMMAND uname -m OUTPUT_VARIABLE machine OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(fixed_layout ${SETARCH} ${machine} -R)
else()
  set(fixed_layout)
endif()
# Nor may the builder's time zone or locale leak in, nor a library preloaded
# to shift the clock (its allocations move what chmcmd leaves uncleared).
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LD_PRELOAD --unset=FAKETIME TZ=UTC LC_ALL=C LANG=C ${fixed_layout} "${CHMCMD}" lanvoy.hhp
                WORKING_DIRECTORY "${STAGE}"
                OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT EXISTS "${STAGE}/lanvoy.chm" OR output MATCHES "[Ee]rror")
  message(FATAL_ERROR "BuildChm: chmcmd failed (${status}):\n${output}")
endif()
# chmcmd writes the time of day of the compilation into the file; a release
# build gives the commit's time instead (SOURCE_DATE_EPOCH).
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND /usr/bin/python3 "${CMAKE_CURRENT_LIST_DIR}/stamp-chm.py"
                          "${STAGE}/lanvoy.chm" "$ENV{SOURCE_DATE_EPOCH}"
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "BuildChm: the help file's time could not be set")
  endif()
endif()
file(COPY_FILE "${STAGE}/lanvoy.chm" "${OUT}")
