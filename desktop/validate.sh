#!/bin/sh
# validate.sh VALIDATOR ARGS...: runs a validator; exits 77 (a skipped test) when it is not installed.
if ! command -v "$1" >/dev/null 2>&1; then
    echo "SKIPPED: $1 is not installed (Debian: desktop-file-utils, appstream)" >&2
    exit 77
fi
exec "$@"
