# The native configuration: the Windows-free code under the sanitizers, its
# unit tests, the fuzz targets, the benchmarks and the host tools.
enable_testing()

set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_library(setup_logic STATIC ${LOGIC_SOURCES})
target_include_directories(setup_logic PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(setup_logic PUBLIC ${SANITIZE})
target_link_options(setup_logic PUBLIC ${SANITIZE})

add_subdirectory(tests/host)
add_subdirectory(tools tools)
