# Compiler warnings and sanitizers applied to every target of the project.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                    -Wcast-align -Woverloaded-virtual -Wnull-dereference)
if(LUMETRA_WERROR)
  add_compile_options(-Werror)
endif()
if(LUMETRA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
