#!/bin/sh
# Installs what building, running and testing the game needs on Debian 12: only what is missing.
set -eu

packages="build-essential cmake clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev
qt6-multimedia-dev fonts-liberation fonts-dejavu-core xvfb xauth desktop-file-utils appstream man-db mandoc
debhelper dpkg-dev fakeroot lintian"

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ -n "$missing" ]; then
    if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
    echo "Installing:$missing"
    $sudo apt-get update -q
    # shellcheck disable=SC2086 # one word per package
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $missing
fi
