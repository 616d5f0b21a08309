#!/bin/sh
# Installs the Debian packages the build and the tests need, where missing.
set -e
packages="build-essential cmake libblas-dev liblapack-dev libgtest-dev libbenchmark-dev clang libclang-rt-14-dev libomp-14-dev python3 python3-numpy python3-meshio python3-vtk9 python3-matplotlib"
missing=""
for package in $packages; do
  dpkg -s "$package" >/dev/null 2>&1 || missing="$missing $package"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
echo "Installing:$missing"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing >/dev/null
