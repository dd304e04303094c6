# Compiler warnings and sanitizers as usage requirements of two interface targets,
# so that they apply to the project's own targets only (never to code pulled in
# from elsewhere). lumetra_use_build_flags(target) gives a target both.

add_library(lumetra_warnings INTERFACE)
target_compile_options(lumetra_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wcast-align -Wnull-dereference
  $<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor -Woverloaded-virtual>
  $<$<BOOL:${LUMETRA_WERROR}>:-Werror>)

if(LUMETRA_SANITIZE AND LUMETRA_TSAN)
  message(FATAL_ERROR "LUMETRA_SANITIZE and LUMETRA_TSAN cannot be combined; use two build folders")
endif()
add_library(lumetra_sanitizers INTERFACE)
if(LUMETRA_SANITIZE)
  target_compile_options(lumetra_sanitizers INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(lumetra_sanitizers INTERFACE -fsanitize=address,undefined)
elseif(LUMETRA_TSAN)
  target_compile_options(lumetra_sanitizers INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(lumetra_sanitizers INTERFACE -fsanitize=thread)
endif()

function(lumetra_use_build_flags target)
  target_link_libraries(${target} PRIVATE lumetra_warnings lumetra_sanitizers)
endfunction()
