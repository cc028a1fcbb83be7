#!/usr/bin/env bash
# Installs every Debian package Orbline needs to build, test and benchmark.
# Safe to run again: packages already present are left as they are.
set -euo pipefail

packages=(
  g++
  cmake
  ninja-build
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  libcli11-dev      # orblinec's options
  nlohmann-json3-dev  # orblinec's JSON
  libboost-dev      # Boost.PropertyTree: orblinec reads the window's profile
  qt6-base-dev      # Qt Widgets, Gui, PrintSupport, Test; QSettings for the profile
  qt6-translations-l10n  # Qt's own dialogs in Japanese
  libharfbuzz-dev   # shaping vertical labels with the face's vertical forms
  fonts-ipafont-gothic  # the Japanese proportional Gothic face the displays draw with
  xvfb              # a display for screenshots of the real window
  xdotool           # scripts/screenshot.sh: finds the window and presses its keys
  imagemagick       # scripts/screenshot.sh: saves the window as PNG; tests/svg_raster_test.sh compares images
  libc-bin          # iconv, used to build the Shift_JIS tables
  clang             # the fuzz targets (libFuzzer)
  clang-format      # scripts/check-style.sh: the house style (.clang-format)
  clang-tidy        # scripts/check-style.sh: no function of the program over 60 lines
  libclang-rt-14-dev
  cloc              # scripts/code-size.sh
  dpkg-dev          # scripts/package.sh: the .deb's dependencies (dpkg-shlibdeps)
  librsvg2-bin      # rsvg-convert: tests/svg_raster_test.sh draws the SVG exports with it
  chromium          # headless: tests/svg_raster_test.sh and bench/svg_render.sh draw the SVG exports with it;
                    # tests/browser drives orblinec serve's page in it
  nodejs            # tests/browser: node's test runner and puppeteer-core (npm)
)

# puppeteer-core for the browser tests, as the lockfile has it (it drives the Chromium above and
# downloads no browser of its own).
browser_tests() {
  local dir
  dir="$(dirname "$0")/../tests/browser"
  if ! cmp -s "$dir/package-lock.json" "$dir/node_modules/.installed-lock.json" 2>/dev/null; then
    command -v npm >/dev/null || bash "$(dirname "$0")/apt-install.sh" npm
    (cd "$dir" && npm ci --no-audit --no-fund --loglevel=error && cp package-lock.json node_modules/.installed-lock.json)
    echo "install-deps: puppeteer-core installed in tests/browser"
  fi
}

bash "$(dirname "$0")/apt-install.sh" "${packages[@]}"
browser_tests
