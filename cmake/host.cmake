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

# The fuzz targets, built by clang++ as a project of their own. Each runs as a
# test for a bounded time from its seeds; a crash or a hang fails it.
include(ExternalProject)
ExternalProject_Add(fuzz_targets
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/tests/fuzz
    BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
               -DLZHUF_VECTORS_DIR=${CMAKE_SOURCE_DIR}/../shared/lzhuf-vectors
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")
add_test(NAME lzhuf_fuzz
    COMMAND ${CMAKE_BINARY_DIR}/fuzz/lzhuf_fuzz -max_total_time=60 -max_len=65536 -timeout=10 -rss_limit_mb=2048
            -print_final_stats=1 ${CMAKE_BINARY_DIR}/fuzz/lzhuf-corpus ${CMAKE_BINARY_DIR}/fuzz/lzhuf-seeds)
set_tests_properties(lzhuf_fuzz PROPERTIES TIMEOUT 180)

# The LZHUF decoder's speed, without sanitizers; run by tests/bench/run-lzhuf-bench.sh,
# not a test. It packs the real files with lzhpack before measuring.
find_package(benchmark REQUIRED)
add_executable(lzhuf_bench
    tests/bench/lzhuf_bench.cpp
    install/lzhuf_core.cpp
    install/lzhuf_tree.cpp
)
target_include_directories(lzhuf_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(lzhuf_bench PRIVATE -O2)
target_compile_definitions(lzhuf_bench PRIVATE
    LZHUF_VECTORS_DIR="${CMAKE_SOURCE_DIR}/../shared/lzhuf-vectors"
    LZHPACK_PATH="$<TARGET_FILE:lzhpack>")
target_link_libraries(lzhuf_bench PRIVATE benchmark::benchmark)
add_dependencies(lzhuf_bench lzhpack)
