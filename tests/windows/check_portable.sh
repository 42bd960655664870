#!/usr/bin/env bash
# check_portable.sh ZIP: the portable copy under wine, in a namespace of its own with loopback only.
# The zip holds exactly the files the setup program installs, in one folder; unpacked into a
# folder named beyond ASCII, with the compiler's runtime off wine's search path (the copy must
# carry all it needs), its console programs answer and its wizard starts in test mode from a
# folder named beyond ASCII and saves its main page to a file so named.
set -euo pipefail
zip=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
name=$(basename "$zip" .zip)
staged=$(dirname "$zip")/_CPack_Packages/win64/NSIS/$name
scratch=$(mktemp -d /tmp/camtivo-wzip.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
fail() {
  echo "FAIL $*"
  exit 1
}

(cd "$staged" && find . -type f | sed 's|^\./||' | sort) >"$scratch/setup.txt"
python3 - "$zip" "$name" >"$scratch/zip.txt" <<'PY'
import sys, zipfile
top = sys.argv[2] + "/"
names = [n for n in zipfile.ZipFile(sys.argv[1]).namelist() if not n.endswith("/")]
outside = [n for n in names if not n.startswith(top)]
if outside:
    sys.exit(f"outside {top}: {outside[:3]}")
print("\n".join(sorted(n[len(top):] for n in names)))
PY
diff "$scratch/setup.txt" "$scratch/zip.txt" || fail "the zip's files differ from the setup program's"
echo "PASS the zip holds the setup program's $(wc -l <"$scratch/zip.txt") files in $name/"

work="$scratch/Prueba ★"
mkdir "$work"
cat >"$scratch/inside.sh" <<'INSIDE'
set -euo pipefail
zip=$1 name=$2 work=$3
wine=/usr/lib/wine/wine64
fail() { echo "FAIL $*"; exit 1; }
unset WINEPATH
usb="$WINEPREFIX/drive_c/Memoria ★"
mkdir "$usb"
python3 -m zipfile -e "$zip" "$usb"
copy="$usb/$name"
for program in camtivo-cli camtivo-camsim; do
  "$wine" "$copy/$program.exe" --version | tr -d '\r' | grep -q "^$program " || fail "$program.exe --version"
done
echo "PASS the console programs run from C:\\Memoria ★\\$name"
(cd "$work" && "$wine" "$copy/camtivo.exe" /testmode --snapshot='Z:'"$work/vista ★.png") ||
  fail "the wizard exited with $?"
head -c 8 "$work/vista ★.png" | od -An -c | grep -q 'P   N   G' || fail "no main page saved as 'vista ★.png'"
echo "PASS the portable wizard starts in 'Prueba ★' and saves 'vista ★.png'"
INSIDE
unshare --net "$here/wine-session.sh" --lo bash "$scratch/inside.sh" "$zip" "$name" "$work"
