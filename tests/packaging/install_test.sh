#!/usr/bin/env bash
# Packs the build tree as a .deb, unpacks it into a temporary root with
# dpkg-deb and checks that the programs run from the installed paths and that
# the desktop integration is in place.
#   install_test.sh BUILD_DIR WITH_UI(0|1)
set -uo pipefail

build=$1
with_ui=$2
if ! command -v dpkg-deb >/dev/null 2>&1 || ! command -v cpack >/dev/null 2>&1; then
  echo "SKIP: dpkg-deb or cpack is not installed"
  exit 77
fi

# This test is about where things are installed; leaks are the other suites'
# business (a sanitizer build would otherwise judge Qt's exit here).
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A package without its dependencies would install but not start.
if ! (cd "$build" && cpack -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1); then
  cat "$work/cpack.log"
  fail "cpack could not build the package"
  exit 1
fi
deb=$(ls "$work"/pkg/vexor_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { fail "no vexor_*.deb was written"; exit 1; }
case $(basename "$deb") in
  vexor_*_"$(dpkg --print-architecture)".deb) ;;
  *) fail "package name $(basename "$deb") is not vexor_<version>_<arch>.deb" ;;
esac
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
echo "$depends" | grep -q 'libc6' || fail "dpkg-shlibdeps found no library dependencies"
if [ "$with_ui" = 1 ]; then
  echo "$depends" | grep -q 'libqt6widgets6' || fail "the Qt libraries are not in Depends"
fi
dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -q 'postinst' || fail "no postinst note"

root=$work/root
dpkg-deb -x "$deb" "$root"

for f in usr/bin/vexor-cli usr/bin/vexor-sim usr/share/vexor/E_Lang usr/share/vexor/documents \
         usr/share/vexor/Firmware usr/share/applications/vexor.desktop \
         usr/share/icons/hicolor/scalable/apps/vexor.svg \
         usr/share/icons/hicolor/48x48/apps/vexor.png \
         usr/share/metainfo/org.vexor.Vexor.metainfo.xml \
         usr/share/mime/packages/vexor.xml usr/share/icons/hicolor/24x24/apps/vexor.png \
         usr/share/man/man1/vexor-cli.1.gz usr/share/man/man1/vexor-sim.1.gz \
         usr/share/bash-completion/completions/vexor-cli \
         usr/share/zsh/vendor-completions/_vexor-cli \
         usr/share/fish/vendor_completions.d/vexor-cli.fish \
         usr/lib/udev/rules.d/70-vexor-serial.rules usr/share/doc/vexor/copyright \
         usr/share/doc/vexor/examples/ser2net-vexor.yaml; do
  [ -e "$root/$f" ] || fail "$f is not in the package"
done
if [ "$with_ui" = 1 ]; then
  [ -x "$root/usr/bin/vexor" ] || fail "usr/bin/vexor is not in the package"
fi
# The manual is there when the build had python3-markdown (install-deps.sh
# installs it); the translators' tables are not.
if [ -d "$build/share/doc/vexor/manual" ]; then
  for f in usr/share/doc/vexor/manual/en/index.html usr/share/doc/vexor/manual/pl/index.html; do
    [ -e "$root/$f" ] || fail "$f is not in the package"
  done
fi
[ -e "$root/usr/share/vexor/lang-src" ] && fail "the translators' tables are in the package"
grep -q '^Exec=vexor %f$' "$root/usr/share/applications/vexor.desktop" ||
  fail "the desktop entry does not pass the file it is opened with"
# The desktop finds the program for a settings file by its MIME type.
if command -v update-mime-database >/dev/null 2>&1; then
  cp -r "$root/usr/share/mime" "$work/mime"
  update-mime-database "$work/mime" >/dev/null 2>&1
  grep -q 'application/x-vexor-settings' "$work/mime/globs2" || fail "*.xset has no MIME type"
  grep -q 'application/x-vexor-recording' "$work/mime/globs2" || fail "*.osc has no MIME type"
fi

run() { # expected-status command...
  local expected=$1
  shift
  local status=0
  "$@" >"$work/out" 2>"$work/err" </dev/null || status=$?
  if [ "$status" != "$expected" ]; then
    fail "$* exited $status, expected $expected: $(head -c 400 "$work/err")"
    return 1
  fi
}

version=$(sed -n 's/^project(vexor VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
if run 0 "$root/usr/bin/vexor-cli" --version; then
  grep -qx "vexor-cli $version" "$work/out" || fail "--version printed: $(cat "$work/out")"
fi
# The remembered port and the data folder go to the temporary root, never to
# the user's own folders; no system port is touched.
if run 0 "$root/usr/bin/vexor-cli" --no-system-ports --config-dir "$work/config" \
       --data-dir "$work/data" --demo identify; then
  grep -qx 'port: demo' "$work/out" || fail "--demo identify printed: $(cat "$work/out")"
fi
# The doctor on a table of one missing path: exit 3 and the path's line.
if run 3 "$root/usr/bin/vexor-cli" --no-system-ports --config-dir "$work/config" \
       -p "$work/no-such-port" doctor; then
  grep -q "^$work/no-such-port	missing	" "$work/out" || fail "doctor printed: $(cat "$work/out")"
fi
# The installed completion script and the installed program answer together.
offers=$(bash -c 'source "$1/usr/share/bash-completion/completions/vexor-cli"
    COMP_LINE="$1/usr/bin/vexor-cli settings s"; COMP_POINT=${#COMP_LINE}
    COMP_WORDS=("$1/usr/bin/vexor-cli" settings s); COMP_CWORD=2
    _vexor_cli; printf "%s " "${COMPREPLY[@]}"' bash "$root" 2>&1)
[ "$offers" = "show save set " ] || fail "installed bash completion offered: $offers"
if [ "$with_ui" = 1 ] && run 0 "$root/usr/bin/vexor" --help; then
  grep -q -- '--port' "$work/out" "$work/err" || fail "vexor --help printed no options"
fi

if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$root/usr/share/applications/vexor.desktop" || fail "desktop entry"
fi
if command -v appstreamcli >/dev/null 2>&1; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/org.vexor.Vexor.metainfo.xml" \
    >"$work/as.log" 2>&1 || { cat "$work/as.log"; fail "metainfo does not validate"; }
fi

echo "$(basename "$deb"): $(du -h "$deb" | cut -f1), $failures failure(s)"
[ "$failures" = 0 ]
