#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks, builds, then runs the program or the tests.
#   scripts/dev.sh run        build and start the program on its embedded default data
#   scripts/dev.sh test       build and run every test, on SQLite and then on a throw-away
#                             PostgreSQL server (scripts/pg_cluster.sh)
#   scripts/dev.sh sanitize   build with AddressSanitizer and UndefinedBehaviorSanitizer in
#                             build-asan/ and run every test there
#   scripts/dev.sh fuzz [SECONDS]
#                             build the fuzz targets with clang's libFuzzer, ASan and UBSan in
#                             build-fuzz/ and run each for SECONDS (default 60) from its corpus
#                             in fuzz/corpus/; without libFuzzer our own mutation driver runs them
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql
          qt6-qpa-plugins libjpeg62-turbo-dev libsqlite3-dev fonts-noto-cjk sqlite3 poppler-utils)
[[ ${1:-} == test ]] && packages+=(postgresql)
[[ ${1:-} == fuzz ]] && packages+=(clang libclang-rt-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo_cmd=()
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

mode=${1:-}
if [[ $mode == fuzz ]]; then
    exec scripts/fuzz.sh "${2:-60}"
fi
build_dir=${BUILD_DIR:-build}
options=()
if [[ $mode == sanitize ]]; then
    build_dir=${BUILD_DIR:-build-asan}
    options=(-DVM_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
    # Any report fails the test that caused it; Qt's own shared objects are not instrumented.
    export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
    export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
fi
# A compiler cache, where one is installed, makes rebuilds in other checkouts cheap.
if command -v ccache >/dev/null; then
    options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
cmake --build "$build_dir"

case "$mode" in
run) exec "$build_dir/program/valten_matrix" ;;
sanitize) cd "$build_dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 ;;
test)
    (cd "$build_dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
    # The same tests on a PostgreSQL server: each test makes its own database there.
    cluster=$(mktemp -d /tmp/vm-pg.XXXXXX)
    trap '"$root/scripts/pg_cluster.sh" stop "$cluster"' EXIT
    server=$(scripts/pg_cluster.sh start "$cluster")
    echo "Tests on the server $server"
    cd "$build_dir" && VM_TEST_SERVER=$server QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
    ;;
*) echo "usage: $0 run|test|sanitize|fuzz [SECONDS]" >&2; exit 2 ;;
esac
