#!/usr/bin/env bash
# Sets up, builds once with AddressSanitizer and UndefinedBehaviorSanitizer (clang, warnings as
# errors) and runs the whole test suite. Exits non-zero on any failure.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

"$root/scripts/deps.sh"

build="${KESTROVA_TEST_BUILD_DIR:-$root/build/test}"
export CCACHE_NOHASHDIR=1
export CCACHE_BASEDIR="$root"

cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DCMAKE_C_FLAGS_DEBUG="-g -O1" \
    -DKESTROVA_SANITIZE=ON -DKESTROVA_WERROR=ON -DKESTROVA_TESTS=ON -DKESTROVA_FUZZ=ON
cmake --build "$build" -j "$(nproc)"

cd "$build"
ctest --output-on-failure -j "$(nproc)"
