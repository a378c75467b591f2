# Sanitizer flags for every target of the build: addresses, undefined
# behaviour and leaks, each report fatal.
set(VEXLO_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
                          -fno-omit-frame-pointer)
add_compile_options(${VEXLO_SANITIZER_FLAGS})
add_link_options(-fsanitize=address,undefined)
