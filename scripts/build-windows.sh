#!/usr/bin/env bash
# Builds the saver for 64-bit Windows from this checkout on Debian 12, as root:
#   build-windows/vokabo.scr, build-windows/vokabo-lekce.exe and the installer
#   build-windows/vokabo-<version>-setup.exe.
# Qt for Windows is built once from Debian's own Qt source, with only what the program uses,
# and kept in ${XDG_CACHE_HOME:-~/.cache}/vokabo/ under a name made of its version and options;
# later runs reuse it. Pass --qt-only to stop once Qt is in the cache.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

# The host's Qt tools (moc, rcc, uic) generate code for the Windows Qt, so both must be the same
# Qt release; the MinGW runtime goes into the program itself, so nothing but the .scr is shipped.
EXTRA_PACKAGES="g++-mingw-w64-x86-64-posix mingw-w64-tools ninja-build dpkg-dev xz-utils
    ca-certificates nsis wine wine64" scripts/install-deps.sh

triple=x86_64-w64-mingw32
toolchain=$root/cmake/mingw-w64-x86_64.cmake
qt_source_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools)
qt_version=${qt_source_version%%+*}

# Only Core, Gui, Widgets and the test library, static, and the plugins the program pulls in:
# the Windows platform, the native style and the picture readers. Debian's source lacks the
# tablet library, so tablet input is off.
qt_options=(-static -static-runtime -release -optimize-size -gc-binaries
    -nomake examples -nomake tests -nomake benchmarks
    -no-opengl -no-dbus -no-icu -no-zstd -no-freetype -no-feature-vulkan
    -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz
    -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-concurrent
    -no-feature-xml -no-feature-direct2d -no-feature-directwrite3
    -no-feature-androiddeployqt -no-feature-windeployqt
    -no-feature-tabletevent)

cache=${XDG_CACHE_HOME:-$HOME/.cache}/vokabo
key=$( (echo "$qt_source_version"; printf '%s\n' "${qt_options[@]}"
        $triple-g++-posix -dumpfullversion; cat "$toolchain") | sha256sum | cut -c1-12)
qt_prefix=$cache/qt-$qt_version-windows-$key

build_qt() {
    local work=$cache/work-$key
    rm -rf "$work" "$qt_prefix"
    mkdir -p "$work/apt/sources.list.d" "$work/apt/lists/partial" "$work/apt/cache/archives/partial"
    # The source comes through a private apt configuration, so the system's sources and package
    # lists stay as they are.
    cat >"$work/apt/sources.list.d/debian-src.sources" <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    : >"$work/apt/sources.list"
    local apt_options=(-q -o APT::Sandbox::User=root
        -o Dir::Etc::SourceList="$work/apt/sources.list"
        -o Dir::Etc::SourceParts="$work/apt/sources.list.d"
        -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache")
    apt-get "${apt_options[@]}" update >/dev/null
    (cd "$work" && apt-get "${apt_options[@]}" source --download-only "qt6-base=$qt_source_version" >/dev/null &&
        dpkg-source -x ./*.dsc source >/dev/null)

    mkdir "$work/build"
    (cd "$work/build" &&
        "$work/source/configure" -prefix "$qt_prefix" "${qt_options[@]}" -qt-host-path /usr -- \
            -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >configure.log 2>&1 ||
        { tail -50 configure.log; exit 1; })
    nice -n 10 cmake --build "$work/build" --parallel "$(nproc)"
    cmake --install "$work/build" >/dev/null
    touch "$qt_prefix/.complete"
    rm -rf "$work"
}

if [ ! -f "$qt_prefix/.complete" ]; then
    echo "Building Qt $qt_version for Windows into $qt_prefix (once; about a quarter of an hour on 2 idle cores)"
    start=$SECONDS
    build_qt
    echo "Qt for Windows built in $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s"
fi
[ "${1:-}" = --qt-only ] && exit 0

# The program, the lesson tool and the installer; the test suites too, with --tests.
build=$root/build-windows
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_PREFIX_PATH="$qt_prefix" -DCMAKE_FIND_ROOT_PATH="$qt_prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_EXE_LINKER_FLAGS_RELEASE=-s "${launcher[@]}" >/dev/null
targets=(--target vokabo vokabo-lekce installer)
[ "${1:-}" = --tests ] && targets=()
nice -n 10 cmake --build "$build" --parallel "$(nproc)" "${targets[@]}"
echo "Built: $build/vokabo.scr ($(stat -c %s "$build/vokabo.scr") bytes)," \
     "$build/vokabo-lekce.exe and" "$build"/vokabo-*-setup.exe
