#!/usr/bin/env bash
# Our readers and writers of HEIC, AVIF, JPEG XL and camera raw files against
# the libraries' own command-line tools at the same settings, on one 12 MP
# picture (4000x3000, a fractal with fine grain, as a camera's noise, saved
# as an 8-bit PNG that every encoder reads):
#
#   encode  vellumo-batch -f HEIC | AVIF | JXL against heif-enc (libheif:
#           x265 at preset "ultrafast", libaom at speed 8) and cjxl (effort
#           3), each at the same quality, which libheif and cjxl map onto
#           their encoders exactly as we do (avifenc 0.11 takes libaom's
#           quantisers but not libheif's mapping and tuning of them, so
#           heif-enc is the AVIF peer; heif-enc writes 10 bits from a 16-bit
#           PNG, and aborts with -b 8, hence the 8-bit input);
#   decode  vellumo-batch -f BMP (our own writer, no compression) against
#           heif-convert and avifdec writing y4m (the decoded YCbCr as it
#           is, which spares them the conversion to RGB we do), djxl and
#           dcraw_emu (LibRaw: camera white balance, AHD, sRGB, 8 bits, as
#           we develop) writing PPM; the raw file is a plain DNG made by
#           tools/fuzz-inputs.py.
#
# Every tool runs on all its threads, as we do (x265's pool and libjxl on
# every core, libaom on 4 threads, dav1d as libheif starts it; avifdec with
# -j on every core). Per row: the
# CPU seconds (user + sys) and the wall seconds of the whole process, best
# of three by CPU, and for encodes the file's size and its PSNR against the
# input (ImageMagick's compare, on the file decoded back by heif-convert,
# avifdec or djxl). Then the CPU seconds of writing the picture in every
# format a run writes.
#
#   bench/encoders.sh [path/to/vellumo-batch] [quality]
set -euo pipefail

batch=$(realpath "${1:-build/cli/vellumo-batch}")
quality=${2:-85}
[ -x "$batch" ] || { echo "encoders.sh: $batch is not an executable (build first)" >&2; exit 2; }
here=$(dirname "$(realpath "$0")")

# The libraries' own tools, needed by this benchmark only: libheif-examples,
# libavif-bin, libjxl-tools, libraw-bin and imagemagick.
for tool in heif-enc heif-convert avifdec cjxl djxl dcraw_emu compare python3; do
    command -v "$tool" >/dev/null || { echo "encoders.sh: $tool is missing (apt-get install libheif-examples libavif-bin libjxl-tools libraw-bin imagemagick)" >&2; exit 2; }
done
im=$(command -v convert-im6.q16 || command -v convert)
compare=$(command -v compare-im6.q16 || command -v compare)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
input="$work/input.png"
"$im" -seed 7 -size 4000x3000 plasma:fractal -attenuate 0.3 +noise Gaussian -depth 8 "$input"

# The best of three runs of a command by CPU seconds: "cpu wall".
timed() {
    local best="" cpu wall
    for _ in 1 2 3; do
        /usr/bin/time -f "%U %S %e" -o "$work/time" "$@" >/dev/null 2>&1 || true
        read -r cpu wall < <(tail -1 "$work/time" | awk '{ printf "%.2f %.2f\n", $1 + $2, $3 }')
        if [ -z "$best" ] || awk -v a="$cpu" -v b="${best% *}" 'BEGIN { exit !(a < b) }'; then
            best="$cpu $wall"
        fi
    done
    echo "$best"
}

psnr() {
    "$compare" -metric PSNR "$input" "$1" null: 2>&1 | awk '{ printf "%.2f", $1 }'
}

# Our command for an input, a format and further options; each run writes
# over the last.
ours() {
    local from=$1 format=$2; shift 2
    echo "$batch" --quiet -j 1 --if-exists replace -f "$format" -q "$quality" --name ours "$@" -o "$work/ours" "$from"
}

encode_row() {
    local label=$1 file=$2 decoded=$3 cpu wall
    shift 3
    read -r cpu wall < <(timed "$@")
    if [ ! -s "$file" ]; then
        printf '%-8s %-28s %8s %8s %10s\n' "encode" "$label" "$cpu" "$wall" "failed"
        return
    fi
    case "$file" in
        *.jxl) djxl "$file" "$decoded" >/dev/null 2>&1 ;;
        *.avif) avifdec "$file" "$decoded" >/dev/null ;;
        *) heif-convert "$file" "$decoded" >/dev/null ;;
    esac
    printf '%-8s %-28s %8s %8s %10d %8s\n' "encode" "$label" "$cpu" "$wall" "$(stat -c %s "$file")" "$(psnr "$decoded")"
}

decode_row() {
    local label=$1 cpu wall
    shift
    read -r cpu wall < <(timed "$@")
    printf '%-8s %-28s %8s %8s\n' "decode" "$label" "$cpu" "$wall"
}

printf 'quality %s, 4000x3000, %s cores\n%-8s %-28s %8s %8s %10s %8s\n' "$quality" "$(nproc)" \
    "" "program" "CPU s" "wall s" "bytes" "PSNR dB"
encode_row "vellumo-batch -f HEIC" ours/ours.heic ours.heic.png $(ours "$input" HEIC)
encode_row "heif-enc ultrafast" peer.heic peer.heic.png heif-enc -q "$quality" -p preset=ultrafast -o peer.heic "$input"
encode_row "vellumo-batch -f AVIF" ours/ours.avif ours.avif.png $(ours "$input" AVIF)
encode_row "heif-enc -A speed 8" peer.avif peer.avif.png heif-enc -A -q "$quality" -p speed=8 -o peer.avif "$input"
encode_row "vellumo-batch -f JXL" ours/ours.jxl ours.jxl.png $(ours "$input" JXL)
encode_row "cjxl -e 3" peer.jxl peer.jxl.png cjxl -q "$quality" -e 3 "$input" peer.jxl
# The files decoded below: lossy, each read by us and by its library's tool.
cp ours/ours.heic decode.heic
cp ours/ours.avif decode.avif
cp peer.jxl decode.jxl
encode_row "vellumo-batch -f JXL lossless" ours/ours.jxl ours.jxl.png $(ours "$input" JXL --jxl-lossless)
encode_row "cjxl -e 3 lossless" peer.jxl peer.jxl.png cjxl -q 100 -e 3 "$input" peer.jxl

python3 - "$here/../tools/fuzz-inputs.py" <<'EOF'
import runpy, sys
fuzz_inputs = runpy.run_path(sys.argv[1])
open("input.dng", "wb").write(fuzz_inputs["dng"](4000, 3000))
EOF
for kind in heic avif; do
    decode_row "vellumo-batch $kind" $(ours "decode.$kind" BMP)
    decode_row "heif-convert $kind" heif-convert "decode.$kind" "decoded.$kind.y4m"
done
decode_row "avifdec avif" avifdec -j "$(nproc)" decode.avif decoded.y4m
decode_row "vellumo-batch jxl" $(ours decode.jxl BMP)
decode_row "djxl" djxl decode.jxl decoded.ppm
decode_row "vellumo-batch dng" $(ours input.dng BMP)
decode_row "dcraw_emu -w" dcraw_emu -w input.dng

printf '\nencode CPU seconds per written format (whole process, decode of the PNG included)\n'
for format in $("$batch" --help | tr -s ' \n' ' ' | sed -n 's/.*not written): same \([A-Z ]*\) (default.*/\1/p'); do
    read -r cpu wall < <(timed $(ours "$input" "$format"))
    printf '%-6s %8s\n' "$format" "$cpu"
done
