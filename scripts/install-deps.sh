#!/bin/sh
# Installs the Debian packages the build, the tests and the desktop program need, when missing.
#   install-deps.sh         the build, the tests and the desktop program
#   install-deps.sh fuzz    clang and libFuzzer for the fuzz targets
#   install-deps.sh tidy    clang-tidy for scripts/tidy.sh
#   install-deps.sh peers   ledger and hledger for the side-by-side benchmark
#   install-deps.sh screenshots   xdotool, imagemagick and openbox for scripts/screenshots.sh
set -e
packages="build-essential cmake pkg-config libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev
qt6-charts-dev libqt6opengl6-dev qt6-qpa-plugins libgl1-mesa-dev libxcb1-dev fonts-wqy-microhei xvfb xauth libzip-dev libpugixml-dev libsodium-dev"
case "${1:-}" in
    fuzz) packages="clang clang-14 libclang-rt-14-dev libzip-dev libpugixml-dev libsodium-dev" ;;
    tidy) packages="clang-tidy" ;;
    peers) packages="ledger hledger time" ;;
    screenshots) packages="xvfb xauth xdotool imagemagick openbox fonts-wqy-microhei" ;;
esac
missing=""
for p in $packages; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $p" ;;
    esac
done
[ -z "$missing" ] && exit 0
echo "installing:$missing"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $missing
