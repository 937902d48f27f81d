#!/bin/bash
# Builds the Debian package of a build tree, unpacks it into a scratch root
# (dpkg -x) and checks that what it installs works from there: the CLI and
# the GUI (offscreen, demo devices) find their files beside the installed
# binaries, the manual pages render and bash completes quillonctl's commands.
#
#   installed_package_test.sh BUILD_DIR
set -euo pipefail

build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for tool in cpack dpkg-deb dpkg-shlibdeps man; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps installs it)"
done

# --- the package ----------------------------------------------------------
if ! cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log" >&2
    fail "cpack could not build the package"
fi
debs=("$scratch"/out/quillon-gaming_*.deb)
[ -f "${debs[0]}" ] || fail "no quillon-gaming_*.deb in $(ls "$scratch/out")"
deb=${debs[0]}

control=$(dpkg-deb -f "$deb")
grep -q '^Package: quillon-gaming$' <<<"$control" || fail "package name: $control"
# dpkg-shlibdeps found the libraries the binaries link; the SVG plugins are
# named by hand.
for lib in libqt6widgets6 libqt6uitools6 libudev1 libqt6svg6; do
    grep -q "^Depends:.*\b$lib\b" <<<"$control" || fail "Depends lacks $lib: $control"
done
# (Listings are read whole: grep -q ending a pipe early fails it under pipefail.)
control_files=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t)
grep -qx '\./postinst' <<<"$control_files" || fail "no postinst: $control_files"

root=$scratch/root
dpkg -x "$deb" "$root"
usr=$root/usr
for f in bin/quillon-gaming bin/quillonctl \
    share/applications/quillon-gaming.desktop \
    share/metainfo/com.quillon.GamingSoftware.metainfo.xml \
    share/icons/hicolor/scalable/apps/quillon-gaming.svg \
    share/icons/hicolor/48x48/apps/quillon-gaming.png \
    share/man/man1/quillon-gaming.1 share/man/man1/quillonctl.1 \
    share/bash-completion/completions/quillonctl share/zsh/vendor-completions/_quillonctl \
    lib/udev/rules.d/70-quillon.rules share/quillon/skin/res.xml share/quillon/kbdengdefault.led; do
    [ -e "$usr/$f" ] || fail "the package does not install /usr/$f"
done
[ ! -e "$usr/local" ] || fail "files under /usr/local in a Debian package"

# The menu entry starts an installed program and names an installed icon.
exec_word=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$usr/share/applications/quillon-gaming.desktop")
[ -x "$usr/bin/$exec_word" ] || fail "the desktop entry's Exec ($exec_word) is not installed"
icon=$(sed -n 's/^Icon=//p' "$usr/share/applications/quillon-gaming.desktop")
[ -e "$usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "icon $icon is not installed"

# --- the installed programs, in a scratch session -------------------------
home=$scratch/home
mkdir -p "$home" "$scratch/runtime"
chmod 700 "$scratch/runtime"
session=(env -u QUILLON_PROGRAM_DIR -u QUILLON_SOURCE_DATA_DIR HOME="$home"
    XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
    XDG_RUNTIME_DIR="$scratch/runtime" QUILLON_DATA_DIR="$home/Documents")

status=$("${session[@]}" "$usr/bin/quillonctl" --demo status 2>&1) ||
    fail "quillonctl --demo status: $status"
grep -q '^keyboard' <<<"$status" || fail "status shows no keyboard: $status"
grep -q '^mousepad' <<<"$status" || fail "status shows no mousepad: $status"

# The profile lists start from the factory files installed in share/quillon.
mkdir -p "$home/Documents"
profiles=$("${session[@]}" "$usr/bin/quillonctl" profiles list 2>&1) ||
    fail "quillonctl profiles list: $profiles"
ls "$home/Documents"/*/kb/*.led >/dev/null 2>&1 ||
    fail "no keyboard lighting profile made from the factory files: $profiles"

# The window, offscreen, with the demo devices for a few seconds: the tour
# saves a picture of each view and ends (it fails without the skin).
shots=$scratch/shots
mkdir -p "$shots"
gui_log=$scratch/gui.log
"${session[@]}" QT_QPA_PLATFORM=offscreen timeout 60 "$usr/bin/quillon-gaming" --demo \
    --screenshots "$shots" >"$gui_log" 2>&1 || {
    cat "$gui_log" >&2
    fail "the installed quillon-gaming did not run in demo mode"
}
ls "$shots"/*.png >/dev/null 2>&1 || fail "the installed quillon-gaming saved no pictures"

# Without its installed skin the program says so: the skin it used above was
# the one beside the binary, not a build or source tree. (Skipped when the
# build's own install prefix holds a skin that would stand in.)
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
if [ ! -e "$prefix/share/quillon/skin/res.xml" ]; then
    mv "$usr/share/quillon/skin" "$usr/share/quillon/skin.away"
    if "${session[@]}" QT_QPA_PLATFORM=offscreen timeout 60 "$usr/bin/quillon-gaming" --demo \
        --screenshots "$shots" >"$gui_log" 2>&1; then
        fail "quillon-gaming ran without its installed skin (it found another one)"
    fi
    grep -q "skin could not be built" "$gui_log" || fail "no skin error: $(cat "$gui_log")"
    mv "$usr/share/quillon/skin.away" "$usr/share/quillon/skin"
fi

# --- manual pages and completion ------------------------------------------
for page in quillonctl quillon-gaming; do
    text=$(MANWIDTH=80 man -l "$usr/share/man/man1/$page.1" 2>&1 | col -b) ||
        fail "man -l $page.1: $text"
    grep -q "^NAME" <<<"$text" || fail "$page.1 renders without its NAME section: $text"
    grep -q "$page - " <<<"$text" || fail "$page.1 renders without its name line"
done

complete_words() {
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _quillonctl
             [ ${#COMPREPLY[@]} -eq 0 ] || printf "%s\n" "${COMPREPLY[@]}"' _ "$usr/share/bash-completion/completions/quillonctl" "$@"
}
expect_completion() {
    local expected=$1
    shift
    local got
    got=$(complete_words "$@" | sort | tr '\n' ' ')
    [ "$got" = "$expected" ] || fail "completing '$*': got '$got', expected '$expected'"
}
words=$(complete_words quillonctl "")
for command in devices info keymap reset status profiles effect --demo; do
    grep -qx -- "$command" <<<"$words" || fail "quillonctl <TAB> lacks $command: $words"
done
expect_completion "profiles " quillonctl pro
expect_completion "add copy delete export import link list rename reset select show unlink " quillonctl --demo profiles ""
expect_completion "keyboard mouse mousepad " quillonctl --trace out.txt info ""
expect_completion "mouse mousepad " quillonctl info mou
expect_completion "" quillonctl status ""

echo "installed package: all checks passed"
