#!/usr/bin/env bash
# Builds the Debian package from a finished build and checks it the way a user's machine would
# see it, without installing anything: the package is unpacked into a temporary folder.
#   check_package.sh BUILD_DIR VERSION DEMO_DIR
# Checks: Debian's own checker (lintian: no error, no warning), the dependencies, the manual
# pages, completion and documents, the desktop entry and AppStream file, the programs'
# --version and --help, and the unpacked wizard painting its main page from the packs in its
# share folder: in
# English, twice as sharp at scale 2, in Spanish under a Spanish locale, and in English again
# when the Spanish pack is missing.
set -euo pipefail
build=$1 version=$2 demo=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/out" >"$tmp/cpack.log" || { cat "$tmp/cpack.log"; fail "cpack"; }
deb=$(ls "$tmp"/out/camtivo_*.deb)
echo "package: $(basename "$deb") ($(stat -c %s "$deb") bytes)"

# Overrides, if any, travel in the package, each with its reason.
lintian_status=0
lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$tmp/lintian.log" 2>&1 || lintian_status=$?
echo "lintian: $(grep -c '^[EW]: ' "$tmp/lintian.log") errors and warnings"
cat "$tmp/lintian.log"
[ "$lintian_status" -eq 0 ] || fail "lintian reports errors or warnings"

dpkg-deb -I "$deb" >"$tmp/info"
depends=$(sed -n 's/^ Depends: //p' "$tmp/info")
echo "Depends: $depends"
names=$(sed 's/ ([^)]*)//g; s/, /\n/g' <<<"$depends")
for needed in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins fonts-dejavu-core; do
  grep -qxF "$needed" <<<"$names" || fail "Depends lacks $needed"
done

root=$tmp/root
dpkg-deb -x "$deb" "$root"
for f in usr/bin/camtivo usr/bin/camtivo-cli usr/bin/camtivo-camsim usr/share/camtivo/English.dll \
         usr/share/camtivo/Spanish.dll usr/share/camtivo/License.rtf usr/share/applications/camtivo.desktop \
         usr/share/icons/hicolor/scalable/apps/camtivo.svg usr/share/metainfo/com.example.Camtivo.metainfo.xml \
         usr/share/man/man1/camtivo.1.gz usr/share/man/man1/camtivo-cli.1.gz usr/share/man/man1/camtivo-camsim.1.gz \
         usr/share/bash-completion/completions/camtivo-cli usr/share/doc/camtivo/copyright \
         usr/share/doc/camtivo/changelog.gz; do
  [ -f "$root/$f" ] || fail "package lacks /$f"
done
# Nothing runs as root or with capabilities: no set-user-id programs.
[ -z "$(find "$root" -perm /6000)" ] || fail "set-user-id or set-group-id files"

desktop-file-validate "$root/usr/share/applications/camtivo.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/com.example.Camtivo.metainfo.xml"

[ "$("$root/usr/bin/camtivo-cli" --version)" = "camtivo-cli $version" ] || fail "camtivo-cli --version"
[ "$("$root/usr/bin/camtivo" --version)" = "camtivo $version" ] || fail "camtivo --version"
[ "$("$root/usr/bin/camtivo-camsim" --version)" = "camtivo-camsim $version" ] || fail "camtivo-camsim --version"
# The changelog's latest entry is this version; each manual page shows its program's usage
# and examples.
zcat "$root/usr/share/doc/camtivo/changelog.gz" | head -1 | grep -q "^camtivo ($version) " ||
  fail "the changelog's latest entry is not $version"
for program in camtivo camtivo-cli camtivo-camsim; do
  page=$(zcat "$root/usr/share/man/man1/$program.1.gz")
  grep -q '^\.SH SYNOPSIS' <<<"$page" || fail "$program.1 has no synopsis"
  grep -q '^\.SH EXAMPLES' <<<"$page" || fail "$program.1 has no examples"
done

# The wizard in test mode, run from a folder that holds only the camera file: it must find
# its packs through ../share/camtivo. Each run saves the window once the main page painted.
run=$tmp/run
mkdir -p "$run" "$tmp/xdg"
chmod 700 "$tmp/xdg"
cp "$demo/Camtivo.tst" "$run/"
snapshot() { # NAME [VAR=VALUE...]
  local name=$1
  shift
  (cd "$run" && env -u LC_ALL -u LC_MESSAGES LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$tmp/xdg" "$@" \
    timeout 60 "$root/usr/bin/camtivo" /testmode "--snapshot=$tmp/$name.png") || fail "camtivo run $name"
  [ -f "$tmp/$name.png" ] || fail "no snapshot $name"
}
png_size() { file -b "$1" | grep -oE '[0-9]+ x [0-9]+'; }

snapshot english
[ "$(png_size "$tmp/english.png")" = "581 x 436" ] || fail "main page size $(png_size "$tmp/english.png")"
# A page without its pack is one flat colour, which compresses to almost nothing.
[ "$(stat -c %s "$tmp/english.png")" -gt 8000 ] || fail "main page is blank: pack not found"
snapshot scaled QT_SCALE_FACTOR=2
[ "$(png_size "$tmp/scaled.png")" = "1162 x 872" ] || fail "scaled page size $(png_size "$tmp/scaled.png")"
snapshot spanish LANG=es_ES.UTF-8
cmp -s "$tmp/english.png" "$tmp/spanish.png" && fail "the Spanish locale shows the English page"
rm "$root/usr/share/camtivo/Spanish.dll"
snapshot fallback LANG=es_ES.UTF-8
cmp -s "$tmp/english.png" "$tmp/fallback.png" || fail "without Spanish.dll the page is not the English one"
echo "package checks passed"
