# lumetra_core_library(folder [deps...]) makes the static library lumetra_<folder>
# from every source file of that folder and its sub-folders. The include root is
# the project root, so code includes "measure/RQShape.h" and the like.
function(lumetra_core_library folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h)
  add_library(lumetra_${folder} STATIC ${sources} ${headers})
  lumetra_use_build_flags(lumetra_${folder})
  target_include_directories(lumetra_${folder} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(lumetra_${folder} PUBLIC Threads::Threads)
  foreach(dep IN LISTS ARGN)
    if(TARGET lumetra_${dep})
      target_link_libraries(lumetra_${folder} PUBLIC lumetra_${dep})
    else()
      target_link_libraries(lumetra_${folder} PUBLIC ${dep})
    endif()
  endforeach()
endfunction()
