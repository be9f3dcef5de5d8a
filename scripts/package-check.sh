#!/usr/bin/env bash
# Packaging check: installs TAVO into a temporary prefix and checks the layout,
# the menu entry, the file type and the software-centre metadata; builds the
# Debian package and checks what it holds; and starts the installed program,
# also after moving the prefix, to show that it finds its help and sounds.
set -euo pipefail
cd "$(dirname "$0")/.."

# The checking tools, from Debian's own packages (as root).
bash scripts/deps.sh desktop-file-utils appstream dpkg-dev file shared-mime-info

build="build-package"
app_id=example.corvale.Tavo
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

echo "== Build =="
# CI hands in the tree its tests were built in, so nothing is built twice.
if [ -n "${TAVO_PACKAGE_BUILD_DIR:-}" ]; then
    build="$TAVO_PACKAGE_BUILD_DIR"
else
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVO_BUILD_TESTS=OFF
fi
cmake --build "$build"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix"

echo "== Install into a temporary prefix =="
cmake --install "$build" --prefix "$prefix"

icon_sizes=(16 32 48 64 128 256)
# Paths relative to the prefix.
expected=(
    bin/tavo
    share/tavo/tavo-help.html
    share/tavo/Chord.wav
    share/tavo/Laser.wav
    share/tavo/Start.wav
    share/tavo/buzzer.wav
    share/tavo/pop.wav
    "share/applications/$app_id.desktop"
    "share/mime/packages/$app_id.xml"
    "share/metainfo/$app_id.metainfo.xml"
    "share/icons/hicolor/scalable/apps/$app_id.svg"
    share/doc/tavo/copyright
)
for size in "${icon_sizes[@]}"; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for path in "${expected[@]}"; do
    [ -f "$prefix/$path" ] || fail "not installed: $path"
done
[ -x "$prefix/bin/tavo" ] || fail "bin/tavo is not executable"
for size in "${icon_sizes[@]}"; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    if [ -f "$png" ] && ! file "$png" | grep -q "PNG image data, $size x $size,"; then
        fail "$png is not a $size x $size PNG"
    fi
done

echo "== Menu entry =="
desktop="$prefix/share/applications/$app_id.desktop"
if ! report=$(desktop-file-validate "$desktop" 2>&1) || grep -q "error:" <<<"$report"; then
    fail "desktop-file-validate: $report"
fi
if [ -n "$report" ]; then echo "$report"; fi
grep -qx 'Exec=tavo %f' "$desktop" || fail "the menu entry does not start 'tavo %f'"
grep -qx 'MimeType=application/x-tavo;' "$desktop" || fail "the menu entry does not open .tavo files"
grep -qx "Icon=$app_id" "$desktop" || fail "the menu entry does not name the icon $app_id"

echo "== Software-centre metadata =="
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" ||
    fail "appstreamcli validate"

echo "== File type =="
# Compile the installed type definition as the desktop would, and read back its
# rules: "*.tavo" in any letter case (no ":cs" flag), a kind of plain text.
mkdir -p "$tmp/mime/packages"
cp "$prefix/share/mime/packages/$app_id.xml" "$tmp/mime/packages/"
XDG_DATA_DIRS="$tmp" update-mime-database "$tmp/mime"
grep -qx '[0-9]*:application/x-tavo:\*\.tavo' "$tmp/mime/globs2" ||
    fail "no case-insensitive *.tavo rule in globs2: $(grep tavo "$tmp/mime/globs2" || true)"
grep -qx 'application/x-tavo text/plain' "$tmp/mime/subclasses" ||
    fail "application/x-tavo is not a kind of text/plain"

echo "== The installed program finds its files =="
check_data_dir() { # program, expected data folder
    local output status=0
    output=$(QT_QPA_PLATFORM=offscreen "$1" --data-dir) || status=$?
    echo "$output"
    [ "$status" -eq 0 ] || fail "$1 --data-dir exited with $status"
    grep -qxF "Data folder: $2" <<<"$output" || fail "$1 does not take its files from $2"
}
check_data_dir "$prefix/bin/tavo" "$prefix/share/tavo"
mv "$prefix" "$tmp/moved"
check_data_dir "$tmp/moved/bin/tavo" "$tmp/moved/share/tavo"
check_data_dir "$build/bin/tavo" "$(cd "$build" && pwd)/share/tavo"
# And the check itself notices a missing file.
mkdir "$tmp/empty"
if TAVO_DATA_DIR="$tmp/empty" QT_QPA_PLATFORM=offscreen "$tmp/moved/bin/tavo" --data-dir >/dev/null; then
    fail "--data-dir reports success for an empty data folder"
fi

echo "== Debian package =="
rm -f "$build"/tavo_*.deb
(cd "$build" && cpack -G DEB)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$build/tavo_${version}_$(dpkg --print-architecture).deb"
if [ ! -f "$deb" ]; then
    fail "no package $deb"
else
    dpkg-deb -I "$deb"
    dpkg-deb -c "$deb" | tee "$tmp/contents"
    for path in "${expected[@]}"; do
        grep -q " \./usr/$path\$" "$tmp/contents" || fail "not in the package: /usr/$path"
    done
    [ "$(dpkg-deb -f "$deb" Package)" = tavo ] || fail "the package is not named tavo"
    # dpkg-shlibdeps computed the libraries the program needs.
    dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' ||
        fail "the package's dependencies were not computed: $(dpkg-deb -f "$deb" Depends)"
    dpkg-deb -f "$deb" Depends | grep -q 'fonts-liberation2' ||
        fail "the package does not depend on the font its windows are laid out for"
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures packaging check(s) failed" >&2
    exit 1
fi
echo "Packaging checks passed"
