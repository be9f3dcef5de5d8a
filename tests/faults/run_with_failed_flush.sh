#!/bin/sh
# Runs one test function while every flush of a file to the disk fails, as a
# dying disk or a lost network share makes it fail after every write went
# through: run_with_failed_flush.sh ERRNO PROGRAM FUNCTION. The system's
# calls are made to fail by strace; exits 77, which ctest counts as skipped,
# where strace is missing or may not trace here, and says why.
set -u
error=$1
program=$2
function=$3
if ! command -v strace >/dev/null 2>&1; then
    echo "SKIPPED: strace is not installed (Debian: apt-get install strace)"
    exit 77
fi
if ! strace -f -qq -o /dev/null true 2>/dev/null; then
    echo "SKIPPED: strace may not trace processes here"
    exit 77
fi
exec strace -f -qq -o /dev/null -e trace=fsync,fdatasync \
    -e inject=fsync:error="$error" -e inject=fdatasync:error="$error" \
    "$program" "$function"
