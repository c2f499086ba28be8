#!/usr/bin/env bash
# Makes the Debian package from this build's install rules in a fresh folder and checks it:
# its files and their permissions, its control fields, that the packages it depends on
# provide every library the program needs, that the program starts from the unpacked tree,
# and, when lintian is installed, that lintian finds no error in it (its warnings are shown).
#
# check-deb.sh <cpack> <CPackConfig.cmake> <version> <source folder>
set -euo pipefail
cpack=$1 config=$2 version=$3 source=$4

work=$(mktemp -d "${TMPDIR:-/tmp}/larkspan-package-XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! "$cpack" -G DEB --config "$config" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    exit 1
fi
arch=$(dpkg --print-architecture)
deb=$work/out/larkspan_${version}_${arch}.deb
if [ ! -f "$deb" ]; then
    echo "FAIL: no package named $(basename "$deb"); cpack made:"
    ls "$work/out"
    exit 1
fi
echo "made $(basename "$deb"), $(stat -c %s "$deb") bytes"

# --- control fields ---------------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
expect_field() {
    local got
    got=$(field "$1")
    [ "$got" = "$2" ] || fail "$1 is '$got', not '$2'"
}
expect_field Package larkspan
expect_field Version "$version"
expect_field Architecture "$arch"
expect_field Section web
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ "$(field Description | wc -l)" -ge 2 ] || fail "no long description"
depends=$(field Depends)
echo "Depends: $depends"
[ -n "$depends" ] || fail "Depends is empty"
for needed in bubblewrap xdg-dbus-proxy; do
    grep -qE "(^|[,|] *)$needed( |,|$)" <<<"$depends" || fail "Depends does not name $needed"
done

# --- contents ---------------------------------------------------------------------------
# dpkg-deb -c: permissions, owner/group, size, date, time, path.
dpkg-deb -c "$deb" >"$work/contents"
while read -r mode owner _ _ _ path; do
    case $path in
    ./usr/local/*) fail "$path lies in /usr/local, which belongs to the local administrator" ;;
    ./ | ./usr/ | ./usr/*) ;;
    *) fail "$path lies outside /usr" ;;
    esac
    [ "$owner" = root/root ] || fail "$path belongs to $owner"
    case $mode in
    d*) [ "$mode" = drwxr-xr-x ] || fail "folder $path has $mode" ;;
    -*)
        want=-rw-r--r--
        [ "$path" = ./usr/bin/larkspan ] && want=-rwxr-xr-x
        [ "$mode" = "$want" ] || fail "$path has $mode, not $want"
        ;;
    *) fail "$path is neither a file nor a folder ($mode)" ;;
    esac
done <"$work/contents"

paths=$(awk '{ print $6 }' "$work/contents")
has() { grep -qxF "$1" <<<"$paths" || fail "the package lacks $1"; }
has ./usr/bin/larkspan
has ./usr/share/applications/org.larkspan.Larkspan.desktop
has ./usr/share/metainfo/org.larkspan.Larkspan.metainfo.xml
has ./usr/share/larkspan/Readme.txt
has ./usr/share/doc/larkspan/copyright
has ./usr/share/doc/larkspan/changelog.gz
has ./usr/share/man/man1/larkspan.1.gz
icons=0
while read -r icon; do
    has "./usr/share/icons/hicolor/${icon#"$source"/data/icons/hicolor/}"
    icons=$((icons + 1))
done < <(find "$source/data/icons/hicolor" -type f)
[ "$icons" -gt 0 ] || fail "found no icons under $source/data/icons/hicolor"

dpkg-deb -x "$deb" "$work/root"
program=$work/root/usr/bin/larkspan
# The one program of the package: no test, benchmark or tool rides along.
while IFS= read -r -d '' f; do
    [ "$f" = "$program" ] && continue
    if [ "$(head -c 4 "$f" | od -An -c | tr -d ' ')" = '177ELF' ]; then
        fail "${f#"$work/root"} is a program or library"
    fi
done < <(find "$work/root" -type f -print0)
if readelf -S --wide "$program" | grep -qE '\.(symtab|debug_info)\b'; then
    fail "usr/bin/larkspan is not stripped"
fi

# --- dependencies -----------------------------------------------------------------------
# Every library the program names must come from a package that Depends names, or from one
# of the packages those depend on in turn.
names_of() { sed 's/[,|]/\n/g' | sed -e 's/(.*//' -e 's/:.*//' -e 's/[[:space:]]//g' | grep -v '^$' || true; }
names_of <<<"$depends" | sort -u >"$work/closure"
closure_done=no
expand_closure() {
    local frontier next
    frontier=$(cat "$work/closure")
    while [ -n "$frontier" ]; do
        # shellcheck disable=SC2086  # one name a word
        next=$(dpkg-query -W -f='${Depends}, ${Pre-Depends}\n' $frontier 2>/dev/null |
            names_of | sort -u | comm -23 - "$work/closure")
        [ -n "$next" ] && sort -u -o "$work/closure" "$work/closure" - <<<"$next"
        frontier=$next
    done
    closure_done=yes
}

ldd "$program" >"$work/ldd"
needed=$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
[ -n "$needed" ] || fail "the program names no libraries"
library_file() { awk -v lib="$1" '$1 == lib && $2 == "=>" { print $3 }' "$work/ldd"; }
# dpkg knows each file under one of its names on a system whose /lib is /usr/lib: ask it
# about all of them at once (each question reads its whole file list).
names_of_file() { printf '%s\n' "$1" "$(readlink -f "$1")" "${1#/usr}" "/usr$1"; }
for lib in $needed; do
    file=$(library_file "$lib")
    if [ -n "$file" ] && [ "$file" != not ]; then names_of_file "$file"; fi
done | sort -u >"$work/library-names"
# Lines "package:arch: path"; diversions aside.
xargs -r dpkg -S <"$work/library-names" 2>/dev/null | grep -v '^diversion' >"$work/owners" || true
owner_of() {
    local candidate owner
    while read -r candidate; do
        owner=$(awk -F': ' -v path="$candidate" '$2 == path { sub(/:.*/, "", $1); print $1; exit }' \
            "$work/owners")
        if [ -n "$owner" ]; then
            echo "$owner"
            return
        fi
    done < <(names_of_file "$1")
}

for lib in $needed; do
    file=$(library_file "$lib")
    if [ -z "$file" ] || [ "$file" = not ]; then
        fail "$lib is not found on this system"
        continue
    fi
    owner=$(owner_of "$file")
    if [ -z "$owner" ]; then
        fail "no package owns $file ($lib)"
        continue
    fi
    if ! grep -qxF "$owner" "$work/closure"; then
        [ $closure_done = yes ] || expand_closure
        grep -qxF "$owner" "$work/closure" || fail "$lib comes from $owner, which Depends does not bring"
    fi
done
echo "$(wc -w <<<"$needed") libraries, each from a package that Depends brings"

# --- the unpacked program starts --------------------------------------------------------
# GTK opens the display before it reads the options: on the test's display, or on a
# virtual one of its own when there is none.
mkdir -p "$work/home"
if ! HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data \
    XDG_CACHE_HOME=$work/home/cache timeout 30 "$(dirname "$0")/../data/with-display.sh" \
    "$program" --help >"$work/help" 2>&1; then
    cat "$work/help"
    fail "usr/bin/larkspan --help did not end well"
fi
grep -q "Usage:" "$work/help" || {
    cat "$work/help"
    fail "usr/bin/larkspan --help printed no usage"
}

# --- lintian ----------------------------------------------------------------------------
if command -v lintian >/dev/null; then
    # Exit status 0 means no errors; warnings are shown, not counted.
    lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1 || {
        fail "lintian finds errors"
    }
    if [ -s "$work/lintian" ]; then
        echo "lintian says:"
        cat "$work/lintian"
    else
        echo "lintian finds nothing to say"
    fi
else
    echo "lintian is not installed: not run"
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures failures"
    exit 1
fi
echo "package ok"
