#!/usr/bin/env bash
# Installs the Debian packages VEXOR builds and tests with, only those missing.
set -euo pipefail
PACKAGES=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
          qt6-base-dev qt6-translations-l10n locales-all fonts-thai-tlwg xvfb xauth xdotool x11-apps netpbm poppler-utils)
missing=()
# Running the zsh and fish completion scripts in the completion test.
PACKAGES+=(zsh fish)
# Serving the simulator over the network as a workshop PC serves an adapter
# (the remote-port tests and benchmarks).
PACKAGES+=(ser2net)
# Building and checking the Debian package (tools/package.sh, the packaging test).
PACKAGES+=(dpkg-dev lintian appstream desktop-file-utils shared-mime-info)
# The fitter's manual is built from Markdown at build time.
PACKAGES+=(python3-markdown)
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y "${missing[@]}"
