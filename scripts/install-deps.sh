#!/usr/bin/env bash
# Installs every Debian package that building, testing and running the demo need.
# Safe to run again: packages already present are skipped, and apt is only called
# when something is missing.
set -euo pipefail

packages=(
    # tool chain
    build-essential cmake ninja-build pkg-config git
    clang libclang-rt-14-dev clang-format-14
    libbenchmark-dev
    gcovr
    # Qt 6 (Debian 12 ships 6.4.2)
    qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-declarative-dev-tools
    qt6-serialport-dev libqt6opengl6-dev qt6-qpa-plugins libgl-dev
    qml6-module-qtqml qml6-module-qtqml-models qml6-module-qtqml-workerscript
    qml6-module-qtquick qml6-module-qtquick-window qml6-module-qtquick-controls
    qml6-module-qtquick-templates qml6-module-qtquick-layouts
    qml6-module-qtquick-dialogs qml6-module-qtquick-shapes qml6-module-qt-labs-platform
    qml6-module-qttest
    # translations: lupdate and lrelease, and CMake's LinguistTools that runs them
    qt6-l10n-tools qt6-tools-dev
    # packaging (make package) and its checks: manual pages from --help, dpkg-shlibdeps
    # (dpkg-dev, file), lintian, the desktop entry's and AppStream's validators
    help2man dpkg-dev file lintian desktop-file-utils appstream
    # real peers and displays for the tests and the demo
    socat lrzsz xvfb xauth x11-utils
    fonts-noto-cjk fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all ${#packages[@]} packages present"
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
