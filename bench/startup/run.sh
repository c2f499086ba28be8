#!/usr/bin/env bash
# Start-up time and memory of Larkspan next to a bare web view loading the same page.
#
#   bench/startup/run.sh [--build-dir DIR] [--rounds N] [--runs N] [--timeout SEC] [--interval MS]
#                        [--history-lines N] [--session WINDOWS,TABS] [--setting KEY=VALUE]
#                        [--bare-only] [--no-warmup] [--keep] [--verbose]
#
# Needs the targets larkspan, bench_bare_view and bench_seed_store built in the build
# folder (default: build/ at the top of the source tree, or $LARKSPAN_BUILD_DIR):
#
#   cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
#   ninja -C build larkspan bench_bare_view bench_seed_store bench_seed_session
#
# Without a display the script runs itself under xvfb-run. Without a session bus it sets
# DBUS_SESSION_BUS_ADDRESS=disabled: so that neither program auto-launches a bus daemon
# that would live outside the measured process tree. Every other variable of the caller's
# environment (WEBKIT_*, LIBGL_*, GDK_*, ...) is handed to both programs alike.
# See bench/README.md for what is measured and how.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${LARKSPAN_BUILD_DIR:-$root/build}"

args=()
bare_only=0
while [ $# -gt 0 ]; do
    case "$1" in
        --build-dir) build="$2"; shift 2 ;;
        --build-dir=*) build="${1#*=}"; shift ;;
        --rounds|--runs|--timeout|--interval|--history-lines|--session|--setting) args+=("$1" "$2"); shift 2 ;;
        --rounds=*|--runs=*|--timeout=*|--interval=*|--history-lines=*|--session=*|--setting=*) args+=("$1"); shift ;;
        --bare-only) bare_only=1; args+=("$1"); shift ;;
        --no-warmup|--keep|--verbose) args+=("$1"); shift ;;
        -h|--help) sed -n '2,18p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) echo "run.sh: unknown argument: $1" >&2; exit 2 ;;
    esac
done
if [ ! -d "$build" ]; then
    echo "run.sh: no build folder $build" >&2
    exit 2
fi
build="$(cd "$build" && pwd)"

bare="$build/bench/startup/bench_bare_view"
seed="$build/bench/startup/bench_seed_store"
seed_session="$build/bench/startup/bench_seed_session"
larkspan="$build/larkspan"

if [ ! -x "$bare" ]; then
    echo "run.sh: $bare is missing: ninja -C $build bench_bare_view" >&2
    exit 2
fi
if [ "$bare_only" -eq 0 ] && [ ! -x "$seed" ]; then
    echo "run.sh: $seed is missing: ninja -C $build bench_seed_store" >&2
    echo "        (or run with --bare-only)" >&2
    exit 2
fi
command -v python3 >/dev/null || { echo "run.sh: python3 is needed" >&2; exit 2; }

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    if [ -n "${LARKSPAN_BENCH_UNDER_XVFB:-}" ]; then
        echo "run.sh: still no display under xvfb-run" >&2
        exit 2
    fi
    command -v xvfb-run >/dev/null || { echo "run.sh: no display and no xvfb-run" >&2; exit 2; }
    export LARKSPAN_BENCH_UNDER_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "${BASH_SOURCE[0]}" --build-dir "$build" "${args[@]}"
fi

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    export DBUS_SESSION_BUS_ADDRESS=disabled:
fi

exec python3 "$here/measure.py" \
    --bare "$bare" --larkspan "$larkspan" --seed "$seed" --seed-session "$seed_session" \
    --page "$here/page" \
    --extra-file "$root/data/icons/hicolor/scalable/apps/larkspan.svg=flower.svg" \
    "${args[@]}"
