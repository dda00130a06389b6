#!/usr/bin/env bash
# How lzhpack's streams compare with the published encoder's: every LZHUF test
# vector and every real file listed in the vectors' README, side by side, with
# totals and the time spent packing. Each stream is also unpacked again with
# `lzhpack unpack` and compared; the exit status is non-zero if any differs.
#
#   tools/lzhpack/ratio-report.sh [LZHPACK]   (default: build/host/tools/lzhpack)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
lzhpack=${1:-$top/build/host/tools/lzhpack}
vectors=${LZHUF_VECTORS:-$top/../shared/lzhuf-vectors}

if [[ ! -x $lzhpack ]]; then
    echo "ratio-report: no lzhpack at $lzhpack (cmake --preset host && cmake --build --preset host)" >&2
    exit 2
fi
if [[ ! -f $vectors/README.md ]]; then
    echo "ratio-report: no LZHUF vectors at $vectors" >&2
    exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

now_ns() { date +%s%N; }

# Where a README row's real file lives on this machine.
wine_files=$(dpkg -L libwine:i386 2>/dev/null)
locate_real() {
    local name=$1
    case $name in
    i386-windows/*)
        local path
        path=$(grep -m1 "/$name\$" <<<"$wine_files")
        echo "${path:-/usr/lib/i386-linux-gnu/wine/$name}" ;;
    common-licenses/*)
        echo "/usr/share/$name" ;;
    esac
}

# Packs one file, unpacks it again, and prints its row; adds to the group's totals.
group_size=0 group_published=0 group_ours=0 group_ns=0
pack_row() {
    local label=$1 path=$2 published=$3
    local size
    size=$(stat -c %s "$path")
    local start end
    start=$(now_ns)
    if ! "$lzhpack" pack "$path" "$work/packed" 2>"$work/stderr"; then
        printf '%-42s %9d %9d %9s  FAILED: %s\n' "$label" "$size" "$published" "-" "$(head -1 "$work/stderr")"
        failures=$((failures + 1))
        return
    fi
    end=$(now_ns)
    local ours
    ours=$(stat -c %s "$work/packed")
    local verdict=""
    if ! "$lzhpack" unpack "$work/packed" "$work/unpacked" "$size" 2>/dev/null ||
       ! cmp -s "$path" "$work/unpacked"; then
        verdict="  DOES NOT ROUND-TRIP"
        failures=$((failures + 1))
    fi
    printf '%-42s %9d %9d %9d %+8.2f %%%s\n' "$label" "$size" "$published" "$ours" \
        "$(awk -v a="$ours" -v b="$published" 'BEGIN { print 100 * (a - b) / b }')" "$verdict"
    group_size=$((group_size + size))
    group_published=$((group_published + published))
    group_ours=$((group_ours + ours))
    group_ns=$((group_ns + end - start))
}

header() {
    group_size=0 group_published=0 group_ours=0 group_ns=0
    printf '\n%s\n' "$1"
    printf '%-42s %9s %9s %9s %10s\n' file size published ours difference
}

totals() {
    printf '%-42s %9d %9d %9d %+8.2f %%\n' total "$group_size" "$group_published" "$group_ours" \
        "$(awk -v a="$group_ours" -v b="$group_published" 'BEGIN { print 100 * (a - b) / b }')"
    awk -v ns="$group_ns" -v bytes="$group_size" \
        'BEGIN { printf "packing time %.3f s for %.2f MB (each run of lzhpack, with its own check)\n", ns / 1e9, bytes / 1e6 }'
}

header "LZHUF test vectors (published: the vector's .lzh)"
for lzh in "$vectors"/*.lzh; do
    original=${lzh%.lzh}
    name=$(basename "$original")
    if [[ ! -s $original ]]; then
        printf '%-42s %9d %9s %9s  (a 0-byte file is stored)\n' "$name" 0 - -
        continue
    fi
    pack_row "$name" "$original" "$(stat -c %s "$lzh")"
done
totals

header "Real files (published: the README's table)"
while IFS='|' read -r _ name size published sum _; do
    name=$(echo $name) size=$(echo $size) published=$(echo $published) sum=$(echo $sum)
    [[ $name == i386-windows/* || $name == common-licenses/* ]] || continue
    path=$(locate_real "$name")
    if [[ ! -f $path ]]; then
        printf '%-42s  missing (%s)\n' "$name" "$path"
        continue
    fi
    if [[ $(sha256sum "$path" | cut -d' ' -f1) != "$sum" ]]; then
        printf '%-42s  another version of the file (sha256 differs): left out\n' "$name"
        continue
    fi
    pack_row "$name" "$path" "$published"
done < "$vectors/README.md"
totals

if ((failures > 0)); then
    echo "ratio-report: $failures stream(s) failed" >&2
    exit 1
fi
