#!/usr/bin/env bash
# Installs the Debian packages the build needs, only when one is missing.
set -euo pipefail
pkgs=(cmake ninja-build make g++ clang qt6-base-dev qt6-l10n-tools qt6-tools-dev
      libgtest-dev libgmock-dev googletest libbenchmark-dev
      # The preprocessor's benchmark compares our figures with these two.
      tcc mcpp
      # The declaration analysis is tested on the headers of these libraries,
      # against clang's view of them (a Python script reads its JSON dump).
      python3 zlib1g-dev libsqlite3-dev libexpat1-dev libbz2-dev libpng-dev
      libyaml-dev liblzma-dev libjpeg-dev libxml2-dev
      # Large modern C++ libraries read in the C++11 to C++20 dialects.
      nlohmann-json3-dev libfmt-dev
      # The report tool's JUnit file is validated by xmllint, its HTML page
      # opened in a headless browser.
      libxml2-utils chromium)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi
