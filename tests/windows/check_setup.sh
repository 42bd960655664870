#!/usr/bin/env bash
# check_setup.sh SETUP.exe LINUX_BUILD: the setup program under wine, in a namespace of its own
# with loopback only (nothing it starts can reach a network), into a fresh prefix: a silent
# install into the default folder, whose Start-menu entry starts the installed wizard; a second
# one into a folder named beyond ASCII (C:\Cámaras★\Camtivo) puts every file there, removes the
# first install and registers its uninstaller with Windows; the installed wizard, started in a
# folder named beyond ASCII, saves its main page to a file so named, painted like the Linux
# build's (compared pixel by pixel); the silent uninstall removes every installed file, the
# Start-menu entry and our registry keys.
set -euo pipefail
setup=$(realpath "$1")
linux=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d /tmp/camtivo-wsetup.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# The wizard is a windows-subsystem program with the program icon (128) and its version record.
version=$(basename "$setup" | sed -n 's/^camtivo-\(.*\)-win64\.exe$/\1/p')
exe=$(dirname "$setup")/src/app/camtivo.exe
headers=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -q '^Subsystem.*(Windows GUI)' <<<"$headers"
resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc 2>/dev/null)
grep -q '^128 14 /\* RT_GROUP_ICON' <<<"$resources"
grep -q "VALUE \"FileVersion\", \"$version\"" <<<"$resources"
echo "PASS camtivo.exe: windows subsystem, icon 128, version $version"

# The Linux build's main page, in the same test mode.
(cd "$scratch" && QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp/camtivo-xdg \
  "$linux/src/app/camtivo" /testmode --snapshot="$scratch/linux.png")

cat >"$scratch/inside.sh" <<'INSIDE'
set -euo pipefail
scratch=$1 setup=$2
wine=/usr/lib/wine/wine64
fail() { echo "FAIL $*"; exit 1; }
wizards() { # the installed wizards of this wine prefix, by process id
  for p in $(pgrep -f 'Camtivo.camtivo\.exe'); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$p"
  done
}
# First into the default folder. Wine's shortcuts keep their target in the ANSI code page only,
# so the Start-menu entry is opened there, not in the folder named beyond it.
"$wine" "$setup" /S
first="$WINEPREFIX/drive_c/Program Files/Camtivo"
[ -f "$first/camtivo.exe" ] || fail "no camtivo.exe in C:\\Program Files\\Camtivo"
lnk=$(find "$WINEPREFIX/drive_c" -iname 'Camtivo.lnk' | head -n 1)
[ -n "$lnk" ] || fail "no Start-menu entry"
# The entry is opened as the Start menu opens it: the wizard it points to must start and stay up.
"$wine" start /unix "$lnk" || fail "the Start-menu entry opens nothing (exit $?)"
started=
for _ in $(seq 60); do
  started=$(wizards)
  [ -n "$started" ] && break
  sleep 0.5
done
[ -n "$started" ] || fail "the Start-menu entry started no camtivo.exe"
sleep 2
started=$(wizards)
[ -n "$started" ] || fail "the wizard started from the Start menu ended at once"
kill $started
echo "PASS the Start-menu entry starts the installed wizard"
# Installed again into another folder, the setup program removes the first install.
dir="$WINEPREFIX/drive_c/Cámaras★/Camtivo"
# NSIS takes the folder unquoted, as the last argument.
"$wine" "$setup" /S '/D=C:\Cámaras★\Camtivo'
for f in camtivo.exe camtivo-cli.exe camtivo-camsim.exe English.dll Spanish.dll License.rtf Qt6Core.dll \
         Qt6Gui.dll Qt6Widgets.dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll \
         platforms/qwindows.dll fonts/DejaVuSans.ttf Uninstall.exe; do
  [ -f "$dir/$f" ] || fail "installed: $f missing"
done
echo "PASS silent install: every file in C:\\Cámaras★\\Camtivo"
[ ! -e "$first" ] || fail "installed again: the first install is left: $(find "$first" | head -5)"
# (reg prints in the OEM code page: á is a byte of its own and ★ is "?".)
"$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Camtivo' /v UninstallString |
  grep -qaF 'maras?\Camtivo\Uninstall.exe' || fail "the new uninstaller is not registered with Windows"
echo "PASS installed again: the first install is removed, the new uninstaller registered with Windows"
echo "installed size: $(du -sk "$dir" | cut -f1) KiB in $(find "$dir" -type f | wc -l) files"
work="$scratch/Prueba ★"
mkdir "$work"
(cd "$work" && "$wine" "$dir/camtivo.exe" /testmode --snapshot='Z:'"$work/vista ★.png")
[ -s "$work/vista ★.png" ] || fail "the installed wizard painted nothing"
echo "PASS the installed wizard paints its main page into 'Prueba ★\\vista ★.png'"
# The uninstaller runs from a copy of itself in the temporary folder and returns at once.
"$wine" "$dir/Uninstall.exe" /S || fail "the uninstaller failed (exit $?)"
for _ in $(seq 120); do [ -e "$dir/Uninstall.exe" ] || break; sleep 0.5; done
sleep 1
left=$( (find "$dir" -type f 2>/dev/null || true) | wc -l)
[ "$left" = 0 ] || fail "the uninstaller left $left files: $(find "$dir" -type f | head -5)"
! find "$WINEPREFIX/drive_c" -iname 'Camtivo.lnk' | grep -q . || fail "the Start-menu entry is left"
! "$wine" reg query 'HKLM\Software\The Camtivo developers' >/dev/null 2>&1 || fail "the uninstaller left our registry key"
echo "PASS the uninstaller removes every installed file, the Start-menu entry and our registry keys"
INSIDE
unshare --net "$here/wine-session.sh" --lo bash "$scratch/inside.sh" "$scratch" "$setup"
# Same layout, drawn by another font engine: most pixels agree, text edges may not.
"$here/png_compare.py" "$scratch/linux.png" "$scratch/Prueba ★/vista ★.png" 0.90
echo "PASS the Windows main page matches the Linux one"
