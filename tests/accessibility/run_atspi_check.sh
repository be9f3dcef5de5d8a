#!/bin/sh
# Runs the AT-SPI check in a session bus of its own; skips (status 77) with
# the reason where a package it needs is missing.
# Usage: run_atspi_check.sh TAVO DATA_FILE
set -u
here=$(dirname "$0")
skip() {
    echo "SKIP: $1 (Debian: apt-get install at-spi2-core python3-pyatspi xvfb dbus-x11)"
    exit 77
}
command -v Xvfb >/dev/null 2>&1 || skip "Xvfb is not installed"
command -v dbus-run-session >/dev/null 2>&1 || skip "dbus-run-session is not installed"
launcher=
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate && break
done
[ -n "$launcher" ] || skip "at-spi-bus-launcher is not installed"
# pyatspi is a Debian package: the system's Python has it, another one on the
# PATH may not.
python=
for candidate in /usr/bin/python3 python3; do
    if "$candidate" -c 'import pyatspi' >/dev/null 2>&1; then
        python=$candidate
        break
    fi
done
[ -n "$python" ] || skip "python3-pyatspi is not installed"
exec dbus-run-session -- "$python" "$here/atspi_check.py" --tavo "$1" --launcher "$launcher" \
    --data "$2"
