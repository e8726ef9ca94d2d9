#!/usr/bin/env bash
# Our AVIF, HEIC and JPEG XL writers against the libraries' own tools at the
# same settings, on one 12 MP picture (4000x3000, a fractal with fine grain,
# as a camera's noise): heif-enc (libheif) with libaom at speed 8 and x265's
# "ultrafast" preset, cjxl (libjxl) at effort 3, each at the same quality,
# which libheif and cjxl map onto their encoders exactly as we do. Per row:
# the file's size, its PSNR against the input (ImageMagick's compare, on
# the file decoded back by heif-convert or djxl) and the encoder's CPU
# seconds (user + sys) for the whole process, best of three. Then the CPU
# seconds of writing the picture in every format a run writes.
#
#   bench/encoders.sh [path/to/vellumo-batch] [quality]
set -euo pipefail

batch=${1:-build/cli/vellumo-batch}
quality=${2:-85}
[ -x "$batch" ] || { echo "encoders.sh: $batch is not an executable (build first)" >&2; exit 2; }

# The libraries' own tools, needed by this benchmark only: libheif-examples,
# libjxl-tools and imagemagick.
for tool in heif-enc heif-convert cjxl djxl compare; do
    command -v "$tool" >/dev/null || { echo "encoders.sh: $tool is missing (apt-get install libheif-examples libjxl-tools imagemagick)" >&2; exit 2; }
done
im=$(command -v convert-im6.q16 || command -v convert)
compare=$(command -v compare-im6.q16 || command -v compare)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
input="$work/input.png"
"$im" -seed 7 -size 4000x3000 plasma:fractal -attenuate 0.3 +noise Gaussian "$input"

# The best CPU seconds (user + sys) of three runs of a command.
cpu_seconds() {
    local best="" seconds
    for _ in 1 2 3; do
        /usr/bin/time -f "%U %S" -o "$work/time" "$@" >/dev/null 2>&1 || true
        seconds=$(tail -1 "$work/time" | awk '{ printf "%.2f", $1 + $2 }')
        if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
            best=$seconds
        fi
    done
    echo "$best"
}

psnr() {
    "$compare" -metric PSNR "$input" "$1" null: 2>&1 | awk '{ printf "%.2f", $1 }'
}

# Our command for a format and further options; each run writes over the last.
ours() {
    local format=$1; shift
    echo "$batch" --quiet -j 1 --if-exists replace -f "$format" -q "$quality" --name ours "$@" -o "$work/ours" "$input"
}

row() {
    local label=$1 file=$2 decoded=$3 seconds=$4
    printf '%-34s %10d %8s %8s\n' "$label" "$(stat -c %s "$file")" "$(psnr "$decoded")" "$seconds"
}

printf 'quality %s, 4000x3000\n%-34s %10s %8s %8s\n' "$quality" "encoder" "bytes" "PSNR dB" "CPU s"
for kind in AVIF HEIC; do
    suffix=$(echo "$kind" | tr 'A-Z' 'a-z')
    seconds=$(cpu_seconds $(ours "$kind"))
    heif-convert "$work/ours/ours.$suffix" "$work/ours.$suffix.png" >/dev/null
    row "vellumo-batch $kind" "$work/ours/ours.$suffix" "$work/ours.$suffix.png" "$seconds"
    if [ "$kind" = AVIF ]; then
        peer=(heif-enc -A -q "$quality" -p speed=8 -o "$work/peer.$suffix" "$input")
    else
        peer=(heif-enc -q "$quality" -p preset=ultrafast -o "$work/peer.$suffix" "$input")
    fi
    seconds=$(cpu_seconds "${peer[@]}")
    # Debian 12's heif-enc aborts inside libaom on every AVIF it writes.
    if [ -s "$work/peer.$suffix" ]; then
        heif-convert "$work/peer.$suffix" "$work/peer.$suffix.png" >/dev/null
        row "heif-enc $kind" "$work/peer.$suffix" "$work/peer.$suffix.png" "$seconds"
    else
        printf '%-34s %10s\n' "heif-enc $kind" "failed"
    fi
done
for lossless in no yes; do
    if [ "$lossless" = yes ]; then extra=(--jxl-lossless); peer_quality=100; else extra=(); peer_quality=$quality; fi
    seconds=$(cpu_seconds $(ours JXL "${extra[@]}"))
    djxl "$work/ours/ours.jxl" "$work/ours.jxl.png" >/dev/null 2>&1
    row "vellumo-batch JXL ${extra[*]:-}" "$work/ours/ours.jxl" "$work/ours.jxl.png" "$seconds"
    seconds=$(cpu_seconds cjxl -q "$peer_quality" -e 3 "$input" "$work/peer.jxl")
    djxl "$work/peer.jxl" "$work/peer.jxl.png" >/dev/null 2>&1
    row "cjxl -e 3 -q $peer_quality" "$work/peer.jxl" "$work/peer.jxl.png" "$seconds"
done

printf '\nencode CPU seconds per written format (whole process, decode of the PNG included)\n'
for format in $("$batch" --help | tr -s ' \n' ' ' | sed -n 's/.*not written): same \([A-Z ]*\) (default.*/\1/p'); do
    printf '%-6s %8s\n' "$format" "$(cpu_seconds $(ours "$format"))"
done
