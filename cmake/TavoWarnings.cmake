# Common compile settings for every TAVO target: strict warnings, and the
# sanitizers when TAVO_SANITIZE is on. GCC and Clang share their warning
# flags; MSVC has its own, and the sanitizer flags are theirs alone.
add_library(tavo_compile_options INTERFACE)
target_compile_options(tavo_compile_options INTERFACE
    "$<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-Wall;-Wextra;-Wpedantic;-Wshadow>"
    # The sources are UTF-8, which MSVC assumes only when told.
    "$<$<CXX_COMPILER_ID:MSVC>:/W4;/permissive-;/utf-8>")
if(TAVO_SANITIZE)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        message(FATAL_ERROR "TAVO_SANITIZE needs GCC or Clang")
    endif()
    target_compile_options(tavo_compile_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(tavo_compile_options INTERFACE -fsanitize=address,undefined)
endif()
