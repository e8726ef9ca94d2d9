#!/usr/bin/env bash
# The Debian package as a user gets it: made by CPack from the build folder,
# checked by lintian, desktop-file-validate and appstreamcli, and unpacked
# with dpkg -x into a scratch root, where the programs run and the desktop
# finds the menu entry, the icon and the file types as it would after
# apt install.
#
#     package.sh build|lintian|desktop|programs BUILD_FOLDER
set -euo pipefail

step=$1
build=$2
packages=$build/package
root=$packages/root

fail() {
    echo "$*" >&2
    exit 1
}

the_package() {
    local found=("$packages"/vellumo_*.deb)
    [[ ${#found[@]} -eq 1 && -f ${found[0]} ]] || fail "not one package in $packages: ${found[*]}"
    echo "${found[0]}"
}

build_package() {
    rm -rf "$packages"
    cpack --config "$build/CPackConfig.cmake" -G DEB -B "$packages"
    local package version
    package=$(the_package)
    version=$(dpkg-deb --field "$package" Version)
    [[ $(basename "$package") == "vellumo_${version}_$(dpkg --print-architecture).deb" ]] ||
        fail "$package is not named vellumo_VERSION_ARCH.deb"
    dpkg-deb --field "$package" Depends | grep -q 'libqt6gui6 (>= ' ||
        fail "Depends of $package came without the libraries' versions (shlibdeps)"
    dpkg -x "$package" "$root"
}

# Errors and warnings fail; information tags are shown (see the README).
run_lintian() {
    lintian --fail-on error,warning --display-info "$(the_package)"
}

# A remark of either validator, a hint or a pedantic one included, fails.
check_metadata() {
    local remarks
    remarks=$(desktop-file-validate "$root"/usr/share/applications/*.desktop 2>&1) || fail "$remarks"
    [[ -z $remarks ]] || fail "$remarks"
    remarks=$(appstreamcli validate --no-net --pedantic --no-color "$root"/usr/share/metainfo/*.metainfo.xml 2>&1) ||
        fail "$remarks"
    ! grep -q '^[EWIP]:' <<<"$remarks" || fail "$remarks"
    local version metainfo
    version=$(dpkg-deb --field "$(the_package)" Version)
    metainfo=$(cat "$root"/usr/share/metainfo/*.metainfo.xml)
    zcat "$root/usr/share/doc/vellumo/changelog.gz" | head -n 1 | grep -q "^vellumo ($version) " ||
        fail "the changelog does not start with version $version"
    grep -q "<release version=\"$version\"" <<<"$metainfo" || fail "the metainfo has no release $version"
    check_screenshots "$metainfo"
}

# Each screenshot the metainfo names on the website is shipped, at the size
# it states.
check_screenshots() {
    local image width height shot
    while read -r image; do
        width=$(sed -n 's/.* width="\([0-9]*\)".*/\1/p' <<<"$image")
        height=$(sed -n 's/.* height="\([0-9]*\)".*/\1/p' <<<"$image")
        shot=$root/usr/share/vellumo/screenshots/$(basename "${image##*>}")
        file "$shot" | grep -q "PNG image data, $width x $height," || fail "$shot is not $image"
    done < <(grep -o '<image [^>]*>[^<]*' <<<"$1")
}

# As a menu reads them: the icon the desktop file names, in the hicolor
# theme at every size, and its program in /usr/bin; as a file manager does:
# the program offered for every type the desktop file lists, once dpkg's
# trigger has written the database of the types.
check_desktop_entry() {
    local desktop icon folder size png
    desktop=$(echo "$root"/usr/share/applications/*.desktop)
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    [[ -f $root/usr/share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "no scalable icon $icon"
    for folder in "$root"/usr/share/icons/hicolor/*x*; do
        size=$(basename "$folder")
        png=$folder/apps/$icon.png
        file "$png" | grep -q " ${size/x/ x }," || fail "$png is not $size"
    done
    grep -qx 'Exec=vellumo %F' "$desktop" || fail "$desktop does not hand vellumo the files"
    [[ -x $root/usr/bin/vellumo ]] || fail "no vellumo in /usr/bin"
    check_file_types "$desktop"
}

check_file_types() {
    local desktop=$1 type offered
    update-desktop-database "$root/usr/share/applications"
    mkdir -p "$packages/home"
    for type in $(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' '); do
        offered=$(PATH="$root/usr/bin:$PATH" XDG_DATA_DIRS="$root/usr/share" XDG_DATA_HOME="$packages/home" \
            XDG_CONFIG_HOME="$packages/home" XDG_CONFIG_DIRS="$packages/home" gio mime "$type")
        grep -q "$(basename "$desktop")" <<<"$offered" || fail "not offered for $type: $offered"
    done
}

# The installed programs answer and the batch tool writes a picture.
run_programs() {
    local version pictures
    version=$(dpkg-deb --field "$(the_package)" Version)
    [[ $("$root/usr/bin/vellumo-batch" --version) == "vellumo-batch $version" ]] || fail "vellumo-batch --version"
    [[ $(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/vellumo" --version) == "vellumo $version" ]] ||
        fail "vellumo --version"
    pictures=$packages/pictures
    mkdir -p "$pictures"
    convert -size 64x48 xc:orange "$pictures/in.png"
    "$root/usr/bin/vellumo-batch" --width 32 -f png -o "$pictures/out" "$pictures/in.png"
    file "$pictures/out/in_processed.png" | grep -q 'PNG image data, 32 x 24,' || fail "the run wrote no 32x24 PNG"
}

case $step in
    build) build_package ;;
    lintian) run_lintian ;;
    desktop)
        check_metadata
        check_desktop_entry
        ;;
    programs) run_programs ;;
    *) fail "unknown step $step" ;;
esac
