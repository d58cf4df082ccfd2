#!/usr/bin/env bash
# Builds the Debian package build-package/vokabo_<version>_<architecture>.deb: a Release build
# with the hardening flags Debian builds its own packages with, stripped by cpack.
set -euo pipefail
cd "$(dirname "$0")/.."
EXTRA_PACKAGES="dpkg-dev file ${EXTRA_PACKAGES:-}" scripts/install-deps.sh

eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Passed on every run rather than through the environment, which CMake reads only when it
# first creates the cache.
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DVOKABO_TESTS=OFF "${launcher[@]}" \
      -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_C_FLAGS="$CPPFLAGS $CFLAGS" \
      -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >/dev/null
cmake --build build-package -j"$(nproc)"
cd build-package
rm -f ./*.deb
cpack
