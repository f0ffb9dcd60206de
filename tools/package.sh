#!/usr/bin/env bash
# Builds the Debian package vexor_<version>_<arch>.deb from a clean build:
# a fresh Release build folder with the three programs only (no tests, no
# benchmarks), CPack, then lintian when it is installed.
#
#   tools/package.sh [OUTPUT_DIR]    (default: the build folder)
#
# VEXOR_PACKAGE_BUILD names the build folder (default build-package/, which is
# removed first). Install the result with
#   sudo apt-get install ./build-package/vexor_*.deb
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEXOR_PACKAGE_BUILD:-$root/build-package}
out=${1:-$build}

"$root/tools/install-deps.sh"

rm -rf "$build"
# Debian's hardening (fortified functions, stack protector, read-only
# relocations bound at start, position-independent executables), as a package
# built by dpkg-buildpackage gets it.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cxxflags=$(dpkg-buildflags --get CXXFLAGS)
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_CXX_FLAGS="$cppflags $cxxflags" -DCMAKE_C_FLAGS="$cppflags $(dpkg-buildflags --get CFLAGS)" \
      -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" \
      -DVEXOR_BUILD_TESTS=OFF -DVEXOR_BUILD_BENCH=OFF -DVEXOR_BUILD_UI=ON
cmake --build "$build" -j"$(nproc)"
for program in vexor vexor-cli vexor-sim; do
  if [ ! -x "$build/bin/$program" ]; then
    echo "package.sh: $program was not built (is qt6-base-dev installed?)" >&2
    exit 1
  fi
done

mkdir -p "$out"
out=$(cd "$out" && pwd)
rm -f "$out"/vexor_*.deb
(cd "$build" && cpack -G DEB -B "$out")
rm -rf "$out/_CPack_Packages"
deb=$(ls "$out"/vexor_*.deb)

echo "package: $deb ($(du -h "$deb" | cut -f1))"
dpkg-deb --field "$deb" Package Version Architecture Depends Installed-Size

if command -v lintian >/dev/null 2>&1; then
  # Errors fail the build; warnings are shown for the record.
  lintian --fail-on error "$deb"
else
  echo "package.sh: lintian is not installed, the package was not checked" >&2
fi
