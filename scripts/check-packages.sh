#!/usr/bin/env bash
# Tries the packages scripts/package.sh wrote into dist/ as a user would:
#   the zip: orblinec.exe from it compiles its sample to the same bytes as the Linux build;
#   the installer, under wine: installed over a user PATH of more than 2,000 characters, orblinec
#     runs from the PATH, and uninstalling leaves the PATH exactly as it was and no file behind;
#   the .deb: installed, the installed orblinec compiles the sample, removed again.
#   scripts/check-packages.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
version=$(sed -n 's/^project(Orbline VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=orblinec-$version-windows-x64
work=$root/build/windows/check-packages
rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX=$root/build/windows/wine WINEDEBUG=-all
reference=$work/sample.zkf
build/release/cli/orblinec compile -C examples/sample --no-profile -o "$reference" >/dev/null

echo "== check: the zip"
(cd "$work" && unzip -q "$root/dist/$name.zip")
(cd "$work/$name" && wine ./orblinec.exe compile -C sample --no-profile -o sample.zkf </dev/null >/dev/null)
cmp "$reference" "$work/$name/sample.zkf"
# The guide and every picture it shows.
for picture in $(grep -o 'docs/[A-Za-z0-9_.-]*\.png' README.ja.md | sort -u); do
  cmp "$picture" "$work/$name/$picture"
done
cmp README.ja.md "$work/$name/README.ja.md"

echo "== check: the installer under wine"
# A PATH of 60 folders, over 2,000 characters, with one left unexpanded.
long="%USERPROFILE%\\bin"
for i in $(seq 1 60); do long+=";C:\\Program Files\\Some Vendor\\Tool number $i\\bin"; done
[ ${#long} -gt 2000 ]
user_path() { wine reg query 'HKCU\Environment' /v Path 2>/dev/null | tr -d '\r' | sed -n 's/^ *Path *REG_[A-Z_]* *//p'; }
wine reg add 'HKCU\Environment' /v Path /t REG_EXPAND_SZ /d "$long" /f >/dev/null
wine "$root/dist/$name-setup.exe" /S </dev/null
wineserver -w
# The folder by its path in the prefix, which wine names by drive Z:, not C: as the PATH has it.
folder="$(wine cmd /c 'echo %LOCALAPPDATA%' </dev/null | tr -d '\r')\\Programs\\Orbline"
installed=$(realpath "$(winepath -u "$folder")")
[ "$(user_path)" = "$long;$folder" ] || { echo "the installer did not add $folder to the end of the PATH" >&2; exit 1; }
wine reg query 'HKCU\Environment' /v Path | grep -q REG_EXPAND_SZ || { echo "the PATH lost its type" >&2; exit 1; }
# A new console finds orblinec on the PATH (wine takes PATH from the registry at start).
wine cmd /c "set PATH=%PATH%;$folder&& orblinec --version" </dev/null | grep -q 'Zelkor Maker Ver' ||
  { echo "orblinec does not run from the PATH" >&2; exit 1; }
wine "$installed/uninstall.exe" /S </dev/null
wineserver -w
[ "$(user_path)" = "$long" ] || { echo "uninstalling did not give the PATH back as it was" >&2; exit 1; }
[ ! -e "$installed" ] || { echo "uninstalling left $installed" >&2; ls -R "$installed" >&2; exit 1; }
wine reg delete 'HKCU\Environment' /v Path /f >/dev/null

echo "== check: the .deb"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -qq --no-install-recommends "$root/dist/orbline_${version}_amd64.deb" >/dev/null
test -f /usr/share/applications/orbline.desktop
grep -qx 'Name=Zelkor Maker' /usr/share/applications/orbline.desktop
(cd "$work" && /usr/bin/orblinec compile -C "$root/examples/sample" --no-profile -o deb.zkf)
cmp "$reference" "$work/deb.zkf"
cmp README.ja.md /usr/share/doc/orbline/README.ja.md
cmp docs/window-rows.png /usr/share/doc/orbline/docs/window-rows.png
$sudo apt-get remove -y -qq orbline >/dev/null
[ ! -e /usr/bin/orblinec ] || { echo "removing the package left /usr/bin/orblinec" >&2; exit 1; }
echo "check-packages: the zip, the installer and the .deb work"
