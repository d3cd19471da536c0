# The release files must come out byte for byte the same from the same commit, wherever the tree
# lies and whenever it is built (scripts/package --check-reproducible proves it). The compilers
# name sources and generated files relative to the tree, in debug records and __FILE__ alike; the
# more specific build folder comes last, as the last matching map wins.
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.>"
                    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}=./build>")
if(MINGW)
  # No link time in the PE header; ld still computes the header's checksum over the image.
  add_link_options(-Wl,--no-insert-timestamp)
endif()
