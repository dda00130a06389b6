#!/usr/bin/env bash
# Builds the LZHUF decoder benchmark (and lzhpack, which packs the real files for
# it) in the host configuration and prints the decoder's MB/s of output.
# Extra arguments go to the benchmark, e.g. --benchmark_filter=real/all
set -euo pipefail
cd "$(dirname "$0")/../.."

cmake --preset host > /dev/null
cmake --build --preset host --target lzhuf_bench lzhpack
# Medians of a few repetitions: other work on the machine makes single runs jumpy.
build/host/lzhuf_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_counters_tabular=true "$@" 2>&1 | grep -v -E '_(mean|stddev|cv) '
