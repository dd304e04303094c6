# lumetra_core_library(folder [deps...]) makes the library lumetra_<folder> from
# every source file of that folder and its sub-folders (an interface library while the folder is
# still empty). The include root is the project root, so code includes
# "measure/RQShape.h" and the like.
function(lumetra_core_library folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h)
  if(sources)
    add_library(lumetra_${folder} STATIC ${sources} ${headers})
    set(scope PUBLIC)
  else()
    add_library(lumetra_${folder} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(lumetra_${folder} ${scope} ${PROJECT_SOURCE_DIR})
  target_link_libraries(lumetra_${folder} ${scope} Threads::Threads)
  foreach(dep IN LISTS ARGN)
    if(TARGET lumetra_${dep})
      target_link_libraries(lumetra_${folder} ${scope} lumetra_${dep})
    else()
      target_link_libraries(lumetra_${folder} ${scope} ${dep})
    endif()
  endforeach()
endfunction()
