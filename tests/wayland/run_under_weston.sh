#!/bin/sh
# Runs a test program under a private, headless weston compositor with Qt's
# Wayland plugin: run_under_weston.sh WAYLAND_PLUGIN PROGRAM [ARGS...].
# Exits 77, which ctest counts as skipped, where weston or the plugin is
# missing, and says why.
set -u
plugin=$1
shift
if ! command -v weston >/dev/null 2>&1; then
    echo "SKIPPED: weston is not installed (Debian: apt-get install weston)"
    exit 77
fi
if [ ! -f "$plugin" ]; then
    echo "SKIPPED: Qt's Wayland plugin $plugin is missing (Debian: apt-get install qt6-wayland)"
    exit 77
fi

runtime=$(mktemp -d)
chmod 700 "$runtime"
socket=tavo-test-$$
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket="$socket" \
    --idle-time=0 --width=1280 --height=1024 >"$runtime/weston.log" 2>&1 &
weston_pid=$!
stop_weston() {
    kill "$weston_pid" 2>/dev/null
    wait "$weston_pid" 2>/dev/null
    rm -rf "$runtime"
}
trap stop_weston EXIT

# The compositor is ready once its socket exists (give it up to 20 s).
tries=0
while [ ! -S "$runtime/$socket" ]; do
    if ! kill -0 "$weston_pid" 2>/dev/null || [ "$tries" -ge 200 ]; then
        echo "FAILED: weston did not start:"
        cat "$runtime/weston.log"
        exit 1
    fi
    tries=$((tries + 1))
    sleep 0.1
done

XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland "$@"
