#!/usr/bin/env bash
# Ten pages at once, as ten windows and as ten tabs, beside one page: time until all have
# loaded and the memory of the whole process tree.
#
#   bench/many_pages/run.sh [--build-dir DIR] [--pages N] [--rounds N] [--timeout SEC]
#
# Needs the targets larkspan and bench_seed_store built in the build folder (default: build/
# at the top of the source tree, or $LARKSPAN_BUILD_DIR). Without a display it runs itself
# under xvfb-run.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${LARKSPAN_BUILD_DIR:-$root/build}"
args=()
while [ $# -gt 0 ]; do
    case "$1" in
        --build-dir) build="$2"; shift 2 ;;
        --pages|--rounds|--timeout) args+=("$1" "$2"); shift 2 ;;
        *) echo "run.sh: unknown argument: $1" >&2; exit 2 ;;
    esac
done
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --build-dir "$build" "${args[@]}"
fi
export DBUS_SESSION_BUS_ADDRESS="${DBUS_SESSION_BUS_ADDRESS:-disabled:}"
exec python3 "$here/measure.py" --larkspan "$build/larkspan" \
    --seed "$build/bench/startup/bench_seed_store" --page "$root/bench/startup/page" "${args[@]}"
