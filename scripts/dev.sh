#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks, builds, then runs the program or the tests.
#   scripts/dev.sh run    build and start the program on its embedded default data
#   scripts/dev.sh test   build and run every test
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libqt6sql6-sqlite qt6-qpa-plugins
          libjpeg62-turbo-dev libsqlite3-dev fonts-noto-cjk sqlite3)
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

build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir"

case "${1:-}" in
run) exec "$build_dir/program/valten_matrix" ;;
test) cd "$build_dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 ;;
*) echo "usage: $0 run|test" >&2; exit 2 ;;
esac
