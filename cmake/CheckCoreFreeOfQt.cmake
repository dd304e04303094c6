# Fails when a file of a core folder includes a Qt header.
# Usable with include() and as a script: cmake -DLUMETRA_ROOT=<dir> -P <this file>.
foreach(folder measure camera storage capture image policy)
  file(GLOB_RECURSE files ${LUMETRA_ROOT}/${folder}/*.cpp ${LUMETRA_ROOT}/${folder}/*.h)
  foreach(f IN LISTS files)
    file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]Q")
    if(hits)
      message(FATAL_ERROR "Qt header included in the toolkit-free core: ${f}")
    endif()
  endforeach()
endforeach()
