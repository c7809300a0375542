# cmake -DFROM=<file> -DTO=<file> -P CopyIfMissing.cmake: copies only when TO does not exist.
if(NOT EXISTS "${TO}")
  configure_file("${FROM}" "${TO}" COPYONLY)
endif()
