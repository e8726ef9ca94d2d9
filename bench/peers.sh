#!/usr/bin/env bash
# Times vellumo-batch against ImageMagick, GraphicsMagick and libvips on the
# same inputs, for the nearest equivalent of each operation, in one run, and
# prints the best peer per row with the ratio (best peer / vellumo-batch:
# above 1 means we are faster) and our CPU use ((user + sys) / wall; 2.0 is
# two cores busy). Each command runs three times; the best wall time counts.
# A peer without an equivalent operation shows "-".
#
# Rows: one 4000x3000 BMP through each operation (BMP out); that picture as
# a JPEG re-encoded at quality 85, with the codec floor djpeg | cjpeg; a
# batch of 20 JPEGs of 2000x1500 resized to 1000x750 at quality 85, with
# the default jobs and with -j 1, against gm mogrify and two vipsthumbnail
# processes; 200 PNGs of 640x480 to WebP; then the table of shrinking
# camera photos below.
#
# Shrinking photos: six 12 MP JPEGs (4000x3000, noisy and smooth) to 1920,
# 800 and 320 pixels wide at quality 85, with the default jobs, against one
# vipsthumbnail per core and ImageMagick told the size it needs
# (-define jpeg:size), with the floor djpeg -scale 1/k | cjpeg at the
# reduction k our run takes, ours once with each averaging resampler
# (smooth, lanczos3), which reduce by different rules; wall seconds (best of
# three) and the CPU seconds of that run. Then the batch's peak memory,
# reduced and with --exact-resize.
#
#   bench/peers.sh [path/to/vellumo-batch] [photos]
#
# With "photos" only the table of shrinking photos is made.
set -euo pipefail

batch=${1:-build/cli/vellumo-batch}
only=${2:-}
[ -x "$batch" ] || { echo "peers.sh: $batch is not an executable (build first)" >&2; exit 2; }

# The peers are needed by this benchmark only, not by the build or the tests.
peer_packages="imagemagick graphicsmagick libvips-tools libjpeg-turbo-progs"
missing=""
for package in $peer_packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done
if [ -n "$missing" ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi
# ImageMagick 6 under its own name, past any wrapper called convert.
im=$(command -v convert-im6.q16 || command -v convert)
im_mogrify=$(command -v mogrify-im6.q16 || command -v mogrify)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bmp="$work/input.bmp"
jpeg="$work/input.jpg"
make_photos() {
    local kind=$1; shift
    mkdir -p "$work/$kind"
    for i in 1 2 3 4 5 6; do
        "$im" -seed "$i" -size 4000x3000 plasma:fractal "$@" -quality 92 "$work/$kind/photo$i.jpg"
    done
}

# CPU seconds (user + sys) of a command's best run beside measure's figures.
measure_cpu() {
    local best="" seconds=""
    for _ in 1 2 3; do
        rm -rf "$work/out" && mkdir -p "$work/out"
        /usr/bin/time -o "$work/time" -f '%e %U %S' "$@" >/dev/null 2>&1 || { echo "- -"; return; }
        read -r wall user sys <"$work/time"
        if [ -z "$best" ] || awk -v a="$wall" -v b="$best" 'BEGIN { exit !(a < b) }'; then
            best=$wall
            seconds=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.2f", u + s }')
        fi
    done
    echo "$best $seconds"
}

# One vipsthumbnail per core, each on its share of the files.
vipsthumbnails() {
    local size=$1 target=$2 cores; shift 2
    cores=$(nproc)
    local files=("$@") index
    for ((index = 0; index < cores; index++)); do
        local share=()
        for ((f = index; f < ${#files[@]}; f += cores)); do share+=("${files[f]}"); done
        [ ${#share[@]} -gt 0 ] && vipsthumbnail -s "$size" -o "$work/out/$target" "${share[@]}" &
    done
    wait
}

# The reduction our run takes for a 4000x3000 photo shrunk with a resampler:
# the largest of 8, 4, 2 whose decoded width keeps the resampler's multiple
# of the target's (in tenths: smooth 4.5 at a half, 6 at a quarter and an
# eighth; lanczos3 2.5, 2.5 and 3; the sides are whole blocks of each).
reduction_for() {
    local width=$1 target=$2 filter=$3 k multiple
    for k in 8 4 2; do
        case "$filter/$k" in
            smooth/2) multiple=45 ;; smooth/*) multiple=60 ;;
            lanczos3/8) multiple=30 ;; lanczos3/*) multiple=25 ;;
        esac
        [ $(( 10 * (width / k) )) -ge $(( multiple * target )) ] && { echo "$k"; return; }
    done
    echo 1
}

shrink_rows() {
    printf '%-30s %14s %14s %14s %14s\n' "photos (wall s / CPU s)" vellumo vipsthumbnail "convert" "djpeg|cjpeg"
    local kind width height k photos filter ours vips im
    local -A floor
    for kind in noisy smooth; do
        photos=("$work/$kind"/*.jpg)
        for width in 1920 800 320; do
            height=$(( width * 3 / 4 ))
            vips=$(measure_cpu bash -c 'vipsthumbnails "$0" "%s.jpg[Q=85]" "$@"' "$width" "${photos[@]}")
            im=$(measure_cpu "$im_mogrify" -path "$work/out" -define jpeg:size=$((2 * width))x$((2 * height)) \
                -resize "${width}x" -quality 85 "${photos[@]}")
            floor=()
            for filter in smooth lanczos3; do
                k=$(reduction_for 4000 "$width" "$filter")
                ours=$(measure_cpu "$batch" --quiet --width "$width" --resample "$filter" -q 85 -o "$work/out" \
                    "${photos[@]}")
                [ -n "${floor[$k]:-}" ] || floor[$k]=$(measure_cpu bash -c \
                    'for f in "$@"; do djpeg -scale 1/$0 "$f" | cjpeg -quality 85 >"$work/out/${f##*/}"; done' \
                    "$k" "${photos[@]}")
                printf '%-30s %14s %14s %14s %14s\n' "$kind -> $width $filter (1/$k)" "${ours/ / \/ }" \
                    "${vips/ / \/ }" "${im/ / \/ }" "${floor[$k]/ / \/ }"
            done
        done
    done
    local exact reduced filter
    for filter in smooth lanczos3; do
        rm -rf "$work/out" && mkdir -p "$work/out"
        reduced=$( { /usr/bin/time -f '%M' "$batch" --quiet --width 800 --resample "$filter" -q 85 -o "$work/out" \
            "$work"/noisy/*.jpg; } 2>&1 )
        rm -rf "$work/out" && mkdir -p "$work/out"
        exact=$( { /usr/bin/time -f '%M' "$batch" --quiet --exact-resize --width 800 --resample "$filter" -q 85 \
            -o "$work/out" "$work"/noisy/*.jpg; } 2>&1 )
        echo "peak memory of six noisy photos -> 800 ($filter) with the default jobs: $((reduced / 1024)) MB," \
            "with --exact-resize $((exact / 1024)) MB"
    done
}
export -f vipsthumbnails
export work

make_photos noisy -attenuate 0.6 +noise Gaussian
make_photos smooth -blur 0x3
if [ "$only" = photos ]; then
    shrink_rows
    exit 0
fi

"$im" -seed 7 -size 4000x3000 plasma:fractal -blur 0x2 -type TrueColor "$bmp"
"$im" "$bmp" -quality 95 "$jpeg"
mkdir -p "$work/photos" "$work/small"
for i in $(seq -w 1 20); do
    "$im" -seed "$i" -size 2000x1500 plasma:fractal -quality 92 "$work/photos/photo$i.jpg"
done
"$im" -seed 3 -size 640x480 plasma:fractal "$work/small/tile.png"
for i in $(seq -w 1 200); do
    "$im" "$work/small/tile.png" -fill "rgb($((10#$i)),$((255 - 10#$i)),90)" -draw "rectangle 0,0 $((10#$i)),40" \
        "$work/small/small$i.png"
done
rm "$work/small/tile.png"
# 21 x 21 mean, emboss and sepia for libvips, as matrix files.
{ echo "21 21 441 0"; for _ in $(seq 21); do printf '1 %.0s' $(seq 21); echo; done; } >"$work/mean.mat"
printf '3 3 1 128\n-2 -1 0\n-1 1 1\n0 1 2\n' >"$work/emboss.mat"
printf '3 3\n0.393 0.769 0.189\n0.349 0.686 0.168\n0.272 0.534 0.131\n' >"$work/sepia.mat"

# Runs a command three times in a fresh output directory (once when it takes
# over 5 s); prints the best wall time and the CPU use of that run. A
# failing command prints "-".
measure() {
    local best="" cpu=""
    for _ in 1 2 3; do
        [ -n "$best" ] && awk -v b="$best" 'BEGIN { exit !(b > 5) }' && break
        rm -rf "$work/out" && mkdir -p "$work/out"
        if ! /usr/bin/time -o "$work/time" -f '%e %U %S' "$@" >/dev/null 2>&1; then
            echo "- -"
            return
        fi
        read -r wall user sys <"$work/time"
        if [ -z "$best" ] || awk -v a="$wall" -v b="$best" 'BEGIN { exit !(a < b) }'; then
            best=$wall
            cpu=$(awk -v w="$wall" -v u="$user" -v s="$sys" 'BEGIN { printf "%.2f", (w > 0) ? (u + s) / w : 0 }')
        fi
    done
    echo "$best $cpu"
}

# The best of the peers' times given as "name time" pairs; "-" times are skipped.
best_peer() {
    printf '%s %s\n' "$@" | awk '$2 != "-" && (best == "" || $2 < best) { best = $2; name = $1 }
                                 END { if (best == "") print "- -"; else print name, best }'
}

printf '%-24s %9s %5s %9s %9s %9s %-15s %7s %s\n' row vellumo cpu convert gm vips "best peer" ratio floor
row() {
    local name=$1 ours=$2 im_time=$3 gm_time=$4 vips_time=$5 floor=${6:-}
    local our_time our_cpu peer peer_time
    read -r our_time our_cpu <<<"$ours"
    read -r peer peer_time <<<"$(best_peer convert "$im_time" gm "$gm_time" vips "$vips_time")"
    local ratio="-"
    [ "$peer_time" != "-" ] && ratio=$(awk -v p="$peer_time" -v o="$our_time" 'BEGIN { printf "%.2fx", p / o }')
    printf '%-24s %8ss %5s %9s %9s %9s %-15s %7s %s\n' "$name" "$our_time" "$our_cpu" "$im_time" \
        "$gm_time" "$vips_time" "$peer $peer_time" "$ratio" "$floor"
}
time_of() { measure "$@" | cut -d' ' -f1; }
ours() { measure "$batch" --quiet -f bmp "$@" -o "$work/out" "$bmp"; }
im_op() { time_of "$im" "$bmp" "$@" "$work/out/o.bmp"; }
gm_op() { time_of gm convert "$bmp" "$@" "$work/out/o.bmp"; }
vips_op() { time_of vips "$@"; }
v_in=$bmp
v_out="$work/out/o.bmp"

row "BMP round trip" "$(ours)" "$(im_op)" "$(gm_op)" "$(vips_op copy "$v_in" "$v_out")"
floor=$(time_of sh -c "djpeg '$jpeg' | cjpeg -quality 85 >'$work/out/o.jpg'")
row "JPEG re-encode q85" "$(measure "$batch" --quiet -q 85 -o "$work/out" "$jpeg")" \
    "$(time_of "$im" "$jpeg" -quality 85 "$work/out/o.jpg")" \
    "$(time_of gm convert "$jpeg" -quality 85 "$work/out/o.jpg")" \
    "$(time_of vips copy "$jpeg" "$work/out/o.jpg[Q=85]")" "djpeg|cjpeg ${floor}s"
row "brightness/contrast" "$(ours --brightness 20 --contrast 20)" "$(im_op -brightness-contrast 20x20)" \
    "$(gm_op -level 10%,1.0,90%)" "$(vips_op linear "$v_in" "$v_out" 1.1687 1.78 --uchar)"
row "saturation 150" "$(ours --saturation 150)" "$(im_op -modulate 100,150)" "$(gm_op -modulate 100,150)" "-"
row "grayscale" "$(ours --filter grayscale)" "$(im_op -grayscale Rec601Luma)" "$(gm_op -colorspace gray)" \
    "$(vips_op colourspace "$v_in" "$v_out" b-w)"
row "sepia" "$(ours --filter vintage)" "$(im_op -sepia-tone 80%)" "-" \
    "$(vips_op recomb "$v_in" "$v_out" "$work/sepia.mat")"
row "blur (21x21 mean)" "$(ours --filter blur --filter-intensity 10)" "$(im_op -statistic Mean 21x21)" "-" \
    "$(vips_op conv "$v_in" "$v_out" "$work/mean.mat" --precision integer)"
row "emboss" "$(ours --filter emboss)" "$(im_op -morphology Convolve 3x3:-2,-1,0,-1,1,1,0,1,2)" \
    "$(gm_op -emboss 1)" "$(vips_op conv "$v_in" "$v_out" "$work/emboss.mat" --precision integer)"
row "Sobel edge" "$(ours --filter edge-detection)" "$(im_op -colorspace Gray -morphology Convolve Sobel)" \
    "$(gm_op -edge 1)" "$(vips_op sobel "$v_in" "$v_out")"
row "oil paint radius 10" "$(ours --filter oil-painting --filter-intensity 10)" "$(im_op -paint 10)" \
    "$(gm_op -paint 10)" "-"
row "resize 1920x1080" "$(ours --width 1920 --height 1080)" "$(im_op -resize 1920x1080)" \
    "$(gm_op -resize 1920x1080)" "$(vips_op resize "$v_in" "$v_out" 0.36)"
row "Lanczos 3 to 1920" "$(ours --long-edge 1920 --resample lanczos3)" \
    "$(im_op -filter Lanczos -resize 1920x1920)" "$(gm_op -filter Lanczos -resize 1920x1920)" \
    "$(vips_op resize "$v_in" "$v_out" 0.48 --kernel lanczos3)"
row "unsharp mask 50,1,2" "$(ours --sharpen 50,1,2)" "$(im_op -unsharp 0x1+0.5+0.008)" \
    "$(gm_op -unsharp 0x1+0.5+0.008)" "$(vips_op sharpen "$v_in" "$v_out" --sigma 1 --m2 0.5)"
row "rotate 45" "$(ours --rotation 45)" "$(im_op -rotate 45)" "$(gm_op -rotate 45)" \
    "$(vips_op rotate "$v_in" "$v_out" 45)"
row "border 10" "$(ours --border 10)" "$(im_op -bordercolor white -border 10)" \
    "$(gm_op -bordercolor white -border 10)" \
    "$(vips_op embed "$v_in" "$v_out" 10 10 4020 3020 --extend white)"

photos=("$work"/photos/*.jpg)
two_vipsthumbnails() {
    local size=$1 target=$2; shift 2
    local files=("$@") middle=$(( $# / 2 ))
    vipsthumbnail -s "$size" -o "$work/out/$target" "${files[@]:0:middle}" &
    vipsthumbnail -s "$size" -o "$work/out/$target" "${files[@]:middle}"
    wait
}
export -f two_vipsthumbnails
export work
batch_ours() { measure "$batch" --quiet --width 1000 --height 750 -q 85 "$@" -o "$work/out" "${photos[@]}"; }
batch_im=$(time_of "$im_mogrify" -path "$work/out" -resize 1000x750 -quality 85 "${photos[@]}")
# gm mogrify puts an absolute input path below its output directory: it is given names.
batch_gm=$(time_of bash -c 'cd "$0" && gm mogrify -output-directory "$1" -resize 1000x750 -quality 85 ./*.jpg' \
    "$work/photos" "$work/out")
batch_vips=$(time_of bash -c 'two_vipsthumbnails 1000x750 "%s.jpg[Q=85]" "$@"' _ "${photos[@]}")
row "batch 20 JPEG" "$(batch_ours)" "$batch_im" "$batch_gm" "$batch_vips"
row "batch 20 JPEG, -j 1" "$(batch_ours -j 1)" "$batch_im" "$batch_gm" "$batch_vips"

smalls=("$work"/small/*.png)
small_ours() { measure "$batch" --quiet -f webp -q 85 "$@" -o "$work/out" "${smalls[@]}"; }
small_im=$(time_of "$im_mogrify" -path "$work/out" -format webp -quality 85 "${smalls[@]}")
small_gm=$(time_of bash -c 'cd "$0" && gm mogrify -output-directory "$1" -format webp -quality 85 ./*.png' \
    "$work/small" "$work/out")
small_vips=$(time_of bash -c 'two_vipsthumbnails 640x480 "%s.webp[Q=85]" "$@"' _ "${smalls[@]}")
row "200 PNG to WebP" "$(small_ours)" "$small_im" "$small_gm" "$small_vips"
row "200 PNG to WebP, -j 1" "$(small_ours -j 1)" "$small_im" "$small_gm" "$small_vips"

# Peak resident memory of the batch with the default jobs, beside the budget.
/usr/bin/time -o "$work/time" -f '%M' "$batch" --quiet --width 1000 --height 750 -q 85 \
    -o "$work/out" "${photos[@]}"
peak=$(cat "$work/time")
echo "$(nproc) cores; peak memory of the 20-JPEG batch: $((peak / 1024)) MB"

shrink_rows
