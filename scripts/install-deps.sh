#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, if any are missing.
# Runs apt-get as root, or through sudo for anyone else.
set -euo pipefail

packages=(
  cmake g++ make pkg-config       # the build
  libncurses-dev                  # the terminal version
  libsdl2-dev console-setup-linux # the window version and the font it is built with
  libgtest-dev                    # unit tests
  tmux                            # the terminal version, end to end
  xvfb xdotool imagemagick x11-apps openbox wmctrl  # the window version, end to end
  clang libclang-rt-14-dev        # the sanitizer build
  python3 procps strace           # benchmarks and process figures
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
