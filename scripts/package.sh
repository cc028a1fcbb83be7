#!/usr/bin/env bash
# Writes into dist/ the packages a user installs without building:
#   orblinec-VERSION-windows-x64.zip         orblinec.exe, README.txt and the guide README.ja.md (Japanese), the sample line
#   orblinec-VERSION-windows-x64-setup.exe   a per-user installer that puts orblinec on the PATH
#   orbline_VERSION_amd64.deb                the window, orblinec, orblinec-render, a desktop entry
# Builds what it needs (the Windows cross build and the Linux release) and installs NSIS and zip
# from Debian. scripts/check-packages.sh tries each package as a user would.
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

packages=(nsis zip dpkg-dev)
bash scripts/apt-install.sh "${packages[@]}"

version=$(sed -n 's/^project(Orbline VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
mkdir -p dist

echo "== package: Windows"
[ -d build/windows ] || bash scripts/build-windows.sh
cmake --build --preset windows --target orblinec orbline-path
stage=build/windows/stage
rm -rf "$stage"
mkdir -p "$stage/sample"
x86_64-w64-mingw32-strip -o "$stage/orblinec.exe" build/windows/cli/orblinec.exe
x86_64-w64-mingw32-strip -o "$stage/orbline-path.exe" build/windows/packaging/windows/orbline-path.exe
# For Notepad: UTF-8 with a byte-order mark, CR LF.
{ printf '\xEF\xBB\xBF'; sed 's/$/\r/' packaging/windows/README.txt; } >"$stage/README.txt"
cp examples/sample/*.txt "$stage/sample/"
# The authors' guide, with the pictures it shows.
mkdir -p "$stage/docs"
cp README.ja.md "$stage/"
grep -o 'docs/[A-Za-z0-9_.-]*\.png' README.ja.md | sort -u | xargs -I{} cp {} "$stage/docs/"
zip_name=orblinec-$version-windows-x64
rm -rf "build/windows/$zip_name" "dist/$zip_name.zip"
mkdir -p "build/windows/$zip_name"
cp -r "$stage/orblinec.exe" "$stage/README.txt" "$stage/README.ja.md" "$stage/docs" "$stage/sample" \
  "build/windows/$zip_name/"
(cd build/windows && zip -qr -X "$root/dist/$zip_name.zip" "$zip_name")
makensis -V2 -DVERSION="$version" -DSTAGE="$root/$stage" -DOUTFILE="$root/dist/$zip_name-setup.exe" \
  packaging/windows/orblinec.nsi

echo "== package: Debian"
cmake --preset release >/dev/null
cmake --build --preset release --target orbline orblinec orblinec-render
(cd build/release && cpack -G DEB -B "$root/build/release/package" >/dev/null)
cp "build/release/package/orbline_${version}_amd64.deb" dist/
ls -l dist/
