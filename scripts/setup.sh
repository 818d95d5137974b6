#!/usr/bin/env bash
# Installs the Debian packages that building, testing and benchmarking need.
# As root it runs apt-get for whatever is missing; otherwise it prints the one command to run.
set -euo pipefail

build_packages=(cmake ninja-build g++ pkg-config qt6-base-dev libsdl2-mixer-dev libgtest-dev libgmock-dev libbenchmark-dev)
# A Song-style CJK face stands in for the strip's design font 宋体.
font_packages=(fonts-arphic-uming)
test_packages=(xvfb openbox tint2 xdotool x11-utils imagemagick xcompmgr faketime python3)
bench_packages=(conky-std)

wanted=("${build_packages[@]}" "${font_packages[@]}" "${test_packages[@]}" "${bench_packages[@]}")
# One dpkg-query for all: "ii" is installed; anything else (absent, half-installed, config files only) is missing.
installed=$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${wanted[@]}" 2>/dev/null | awk '$1 == "ii" { print $2 }' || true)
missing=()
for package in "${wanted[@]}"; do
    if ! grep -qx -- "$package" <<<"$installed"; then
        missing+=("$package")
    fi
done

if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi

if [[ $(id -u) -eq 0 ]]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
else
    echo "Missing packages: ${missing[*]}" >&2
    echo "Install them with:" >&2
    echo "  sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
fi
