# Common compile settings for every TAVO target: strict warnings, and the
# sanitizers when TAVO_SANITIZE is on.
add_library(tavo_compile_options INTERFACE)
target_compile_options(tavo_compile_options INTERFACE -Wall -Wextra -Wpedantic)
if(TAVO_SANITIZE)
    target_compile_options(tavo_compile_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(tavo_compile_options INTERFACE -fsanitize=address,undefined)
endif()
