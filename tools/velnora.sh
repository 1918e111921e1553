#!/usr/bin/env bash
# Set-up, build, run and test Velnora on Debian 12.
#   tools/velnora.sh run     install what is missing, build, create dorvanel.mdb if absent, start the reader
#   tools/velnora.sh test    install what is missing, build, run the whole test suite; then build again
#                            with AddressSanitizer and UndefinedBehaviorSanitizer (build-sanitize/) and
#                            run the suite there too, where any sanitizer report fails the test
#   tools/velnora.sh bench   install what is missing, build, run the benchmarks
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${VELNORA_BUILD_DIR:-$here/build}"
sanitize_build="${VELNORA_SANITIZE_BUILD_DIR:-$here/build-sanitize}"

packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libsqlite3-dev sqlite3 mdbtools-dev
          fonts-noto-core fonts-dejavu-core xvfb xauth imagemagick x11-apps poppler-utils
          cups libcups2-dev printer-driver-cups-pdf)

install_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update
    "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

build_all() {
    cmake -S "$here" -B "$build" -G Ninja ${VELNORA_CMAKE_ARGS:-}
    cmake --build "$build" --parallel "$(nproc)"
}

# The suite again under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer. Leaks inside
# the system's libraries are suppressed by tools/lsan.supp; tests labelled no-sanitize are left out.
sanitized_tests() {
    cmake -S "$here" -B "$sanitize_build" -G Ninja -DVELNORA_SANITIZE=ON ${VELNORA_CMAKE_ARGS:-}
    cmake --build "$sanitize_build" --parallel "$(nproc)"
    cd "$sanitize_build"
    ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:strict_string_checks=1:check_initialization_order=1" \
    UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
    LSAN_OPTIONS="suppressions=$here/tools/lsan.supp:print_suppressions=0" \
        ctest --output-on-failure --parallel "$(nproc)" --label-exclude no-sanitize
}

case "${1:-}" in
run)
    install_packages
    build_all
    if [ ! -e dorvanel.mdb ]; then
        sqlite3 dorvanel.mdb < "$here/data/dorvanel.sql"
    fi
    exec "$build/src/Velnora"
    ;;
test)
    install_packages
    build_all
    (cd "$build" && ctest --output-on-failure --parallel "$(nproc)")
    sanitized_tests
    ;;
bench)
    install_packages
    build_all
    cache="${VELNORA_BENCH_CACHE:-$here/.bench-cache}"
    mkdir -p "$cache"
    for program in "$build"/bench/bench_*; do
        [ -x "$program" ] && VELNORA_BENCH_CACHE="$cache" QT_QPA_PLATFORM=offscreen "$program"
    done
    ;;
*)
    echo "usage: $0 run|test|bench" >&2
    exit 2
    ;;
esac
