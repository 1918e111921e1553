#!/usr/bin/env bash
# Set-up, build, run and test Velnora on Debian 12.
#   tools/velnora.sh run     install what is missing, build, create dorvanel.mdb if absent, start the reader
#   tools/velnora.sh test    install what is missing, build, run the whole test suite; build the Debian
#                            package, install it, start it as the menu does and remove it again
#                            (tools/package_check.sh); then build again with AddressSanitizer and
#                            UndefinedBehaviorSanitizer (build-sanitize/) and run the suite there too,
#                            where any sanitizer report fails the test
#   tools/velnora.sh bench [bench_x ...]
#                            install what is missing, build, run every benchmark (or those named) and
#                            print one table of their figures
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${VELNORA_BUILD_DIR:-$here/build}"
sanitize_build="${VELNORA_SANITIZE_BUILD_DIR:-$here/build-sanitize}"

packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libsqlite3-dev sqlite3 mdbtools-dev
          fonts-noto-core fonts-dejavu-core xvfb xauth imagemagick x11-apps poppler-utils
          cups libcups2-dev printer-driver-cups-pdf dpkg-dev desktop-file-utils appstream)

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

# Every benchmark program the build lists in bench/benchmarks.txt (or those named), one after the
# other; then one table of all their figures. A program that fails is named and fails the command,
# after the others have run.
run_benchmarks() {
    local cache="${VELNORA_BENCH_CACHE:-$here/.bench-cache}"
    mkdir -p "$cache"
    local results
    results=$(mktemp)
    local failed=()
    local program
    while IFS= read -r program; do
        [ -n "$program" ] || continue
        if [ $# -gt 0 ] && [[ " $* " != *" $(basename "$program") "* ]]; then
            continue
        fi
        echo "== $(basename "$program")"
        VELNORA_BENCH_CACHE="$cache" VELNORA_BENCH_RESULTS="$results" QT_QPA_PLATFORM=offscreen \
            "$program" || failed+=("$(basename "$program")")
    done < "$build/bench/benchmarks.txt"
    echo
    awk -F '\t' '
        { for (i = 1; i <= 5; i++) { cell[NR, i] = $i; if (length($i) > width[i]) width[i] = length($i) } }
        END {
            split("program|figure|value|unit|goal", head, "|")
            for (i = 1; i <= 5; i++) if (length(head[i]) > width[i]) width[i] = length(head[i])
            line = sprintf("%-*s  %-*s  %*s  %-*s  %s", width[1], head[1], width[2], head[2], width[3], head[3],
                           width[4], head[4], head[5])
            print line
            gsub(/./, "-", line)
            print line
            for (r = 1; r <= NR; r++)
                printf "%-*s  %-*s  %*s  %-*s  %s\n", width[1], cell[r, 1], width[2], cell[r, 2], width[3],
                       cell[r, 3], width[4], cell[r, 4], cell[r, 5]
        }' "$results"
    rm -f "$results"
    if [ ${#failed[@]} -gt 0 ]; then
        echo "failed: ${failed[*]}" >&2
        return 1
    fi
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
    "$here/tools/package_check.sh" "$build"
    sanitized_tests
    ;;
bench)
    install_packages
    build_all
    shift
    run_benchmarks "$@"
    ;;
*)
    echo "usage: $0 run|test|bench" >&2
    exit 2
    ;;
esac
