#!/bin/sh
# Builds ZELK and class in Release and runs it on a bundled example (default: examples/bar.dat).
# The outputs are written to run/<example name>/ below the project root.
set -e
cd "$(dirname "$0")/.."
root=$(pwd)
example=${1:-examples/bar.dat}
./scripts/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DZELK_BUILD_TESTS=OFF >/dev/null
cmake --build build-release --target ZELK class -j"$(nproc)"
name=$(basename "$example" .dat)
mkdir -p "run/$name"
cp "$example" "run/$name/"
cd "run/$name"
"$root/build-release/solver/driver/ZELK" "$(basename "$example")"
echo "Outputs of $example are in $root/run/$name/"
ls "$root/run/$name"
