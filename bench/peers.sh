#!/usr/bin/env bash
# Times vellumo-batch and ImageMagick's convert on the same 12 MP BMP for the
# nearest equivalent of each operation, in the same run, and prints the
# ratio of the two times (convert / vellumo-batch: above 1 means we are
# faster). Each command runs three times; the best time counts.
#
#   bench/peers.sh [path/to/vellumo-batch]
set -euo pipefail

batch=${1:-build/cli/vellumo-batch}
[ -x "$batch" ] || { echo "peers.sh: $batch is not an executable (build first)" >&2; exit 2; }
command -v convert >/dev/null || { echo "peers.sh: ImageMagick's convert is missing (apt-get install imagemagick)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
input="$work/input.bmp"
convert -seed 7 -size 4000x3000 plasma:fractal -blur 0x2 -type TrueColor "$input"

best_time() {
    local best=""
    for _ in 1 2 3; do
        rm -rf "$work/out" && mkdir -p "$work/out"
        local start end elapsed
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s.%N)
        elapsed=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
        best=$(awk -v e="$elapsed" -v b="${best:-1e9}" 'BEGIN { print (e < b) ? e : b }')
    done
    echo "$best"
}

row() {
    local name=$1 ours=$2 theirs=$3
    local our_time their_time
    # shellcheck disable=SC2086
    our_time=$(best_time "$batch" --quiet -f bmp $ours -o "$work/out" "$input")
    # shellcheck disable=SC2086
    their_time=$(best_time convert "$input" $theirs "$work/out/convert.bmp")
    printf '%-22s %9.3f s %9.3f s %7.2fx\n' "$name" "$our_time" "$their_time" "$(awk -v a="$their_time" -v b="$our_time" 'BEGIN { print a / b }')"
}

echo "$(nproc) cores; input 4000x3000 BMP; ImageMagick $(convert -version | head -n 1 | awk '{print $3}')"
printf '%-22s %11s %11s %8s\n' operation vellumo convert ratio
row "round trip (codec)"   ""                                        ""
row "brightness/contrast"  "--brightness 20 --contrast 20"           "-brightness-contrast 20x20"
row "saturation"           "--saturation 150"                        "-modulate 100,150"
row "grayscale"            "--filter grayscale"                      "-grayscale Rec601Luma"
row "sepia"                "--filter vintage"                        "-sepia-tone 80%"
row "blur (21x21 mean)"    "--filter blur --filter-intensity 10"     "-statistic Mean 21x21"
row "emboss"               "--filter emboss"                         "-morphology Convolve 3x3:-2,-1,0,-1,1,1,0,1,2"
row "Sobel edge"           "--filter edge-detection"                 "-colorspace Gray -morphology Convolve Sobel"
row "oil paint radius 10"  "--filter oil-painting --filter-intensity 10" "-paint 10"
row "resize 1920x1080"     "--width 1920 --height 1080"              "-resize 1920x1080"
row "rotate 45"            "--rotation 45"                           "-rotate 45"
row "border 10"            "--border 10"                             "-bordercolor white -border 10"
