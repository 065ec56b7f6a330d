#!/usr/bin/env bash
# The Windows build, cross-compiled here with MinGW-w64 and tested under Wine. Everything comes
# from Debian's packages, Qt included: its sources are Debian's own, built once as a static
# Windows Qt into a cache folder outside the tree and reused from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
tree=$PWD

usage() {
    cat <<'EOF'
Usage: scripts/windows.sh [MODE]

Modes:
  (none)     the full Windows build: a static Qt for Windows (built once, then reused), the
             program and its test programs, the tests under Wine, the portable zip and the
             setup program in dist/, then the setup tried out in a Wine prefix under Xvfb
  --core     only the calculation library and its unit tests, cross-built and run under Wine
             (no Qt needed; every CI run does this)
  --qt       only the static Qt for Windows into the cache folder
  --help     this text

Environment:
  EXPANS_WINDOWS_CACHE   where the Windows Qt is kept (~/.cache/orvenda-expans)
  EXPANS_JOBS            parallel build jobs (all cores)
EOF
}

mode=full
case "${1:-}" in
    "") ;;
    --core) mode=core ;;
    --qt) mode=qt ;;
    -h | --help) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
esac

triple=x86_64-w64-mingw32
cache=${EXPANS_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/orvenda-expans}
jobs=${EXPANS_JOBS:-$(nproc)}
toolchain=$tree/cmake/mingw-w64.cmake
qt_version=6.4.2
qt_prefix=$cache/qt-$qt_version-mingw-static
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

log() { printf '== %s\n' "$*"; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    log "installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    as_root apt-get update -qq
    as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

core_packages=(cmake make g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 googletest)
full_packages=("${core_packages[@]}" ninja-build xz-utils qt6-base-dev qt6-svg-dev
               qt6-translations-l10n fonts-liberation2 icoutils nsis zip
               xvfb xauth xdotool x11-utils imagemagick poppler-utils)

# --- Wine -------------------------------------------------------------------------------------

# A fresh prefix in a temporary folder; its wineserver is ended by that prefix when the script
# exits, whatever else is running on the machine.
wine_prefix=
start_wine() {
    [ -n "$wine_prefix" ] && return 0
    wine_prefix=$(mktemp -d "${TMPDIR:-/tmp}/expans-wine.XXXXXX")
    export WINEPREFIX=$wine_prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    trap stop_wine EXIT
    log "Wine prefix $WINEPREFIX"
    "$wine" wineboot --init >/dev/null 2>&1
    WINEPREFIX=$wine_prefix "$wineserver" -w
}
stop_wine() {
    [ -n "$wine_prefix" ] || return 0
    WINEPREFIX=$wine_prefix "$wineserver" -k 2>/dev/null || true
    rm -rf "$wine_prefix"
    wine_prefix=
}

run_tests() {  # a GoogleTest program under Wine: its summary, or all of its output when it fails
    local output
    output=$(mktemp)
    if "$wine" "$@" >"$output" 2>&1; then
        grep -E '^\[(==========\] [0-9]+ tests? from|  PASSED  \]|  SKIPPED \] [0-9]+ tests?,)' "$output"
        rm -f "$output"
    else
        cat "$output"
        rm -f "$output"
        return 1
    fi
}

# --- GoogleTest for the target, from Debian's sources --------------------------------------

gtest_prefix=
build_gtest() {
    local build=$1/googletest
    gtest_prefix=$1/googletest-install
    [ -f "$gtest_prefix/lib/cmake/GTest/GTestConfig.cmake" ] && return 0
    log "GoogleTest for Windows from /usr/src/googletest"
    cmake -S /usr/src/googletest -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF \
        -DCMAKE_INSTALL_PREFIX="$gtest_prefix" >/dev/null
    cmake --build "$build" -j"$jobs" >/dev/null
    cmake --install "$build" >/dev/null
}

# --- The core and its unit tests ------------------------------------------------------------

core() {
    install_packages "${core_packages[@]}"
    local build=$tree/build/win-core
    build_gtest "$build"
    log "cross-building the core and its unit tests"
    cmake -S "$tree/tests/core-only" -B "$build/core" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Debug -DCMAKE_PREFIX_PATH="$gtest_prefix" >/dev/null
    cmake --build "$build/core" -j"$jobs"
    start_wine
    log "core unit tests under Wine"
    run_tests "$build/core/core_tests.exe"
}

# --- Qt for Windows, static, from Debian's sources -------------------------------------------

# Debian's source packages, fetched with apt-get source into the cache. Where the machine's apt
# lists have no source entries, a private apt configuration in the cache derives them from its
# binary ones; the machine's own apt setup is left as it is.
apt_opts=()
derive_source_entries() {
    apt-get source --download-only -qq --print-uris qt6-base >/dev/null 2>&1 && return 0
    local apt=$cache/apt f
    apt_opts=(-o Dir::State::Lists="$apt/lists" -o Dir::Etc::SourceList="$apt/sources.list"
              -o Dir::Etc::SourceParts="$apt/sources.list.d"
              -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=
              -o APT::Sandbox::User=root)
    [ -f "$apt/lists/.complete" ] && return 0
    log "deriving source entries for apt from the machine's own"
    mkdir -p "$apt/lists/partial" "$apt/sources.list.d"
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -e "$f" ] || continue
        sed -E 's/^Types:.*/Types: deb-src/' "$f" >"$apt/sources.list.d/$(basename "$f")"
    done
    if [ -f /etc/apt/sources.list ]; then
        sed -nE 's/^deb[[:space:]]+/deb-src /p' /etc/apt/sources.list >"$apt/sources.list"
    else
        : >"$apt/sources.list"
    fi
    apt-get "${apt_opts[@]}" update -qq
    touch "$apt/lists/.complete"
}

# Prints the folder the sources of a Debian source package are unpacked to; the version is the
# one of the installed binary package named second, if any.
qt_source() {  # source package, binary package or "", version prefix
    local package=$1 src=$cache/src version=${3:-$qt_version} tarball pin=$1
    mkdir -p "$src"
    tarball=$(ls "$src/${package}_$version"*.orig.tar.xz 2>/dev/null | head -1 || true)
    if [ -z "$tarball" ]; then
        derive_source_entries >&2
        [ -z "$2" ] || pin="$package=$(dpkg-query -W -f='${Version}' "$2")"
        log "fetching the sources of $pin" >&2
        (cd "$src" && apt-get "${apt_opts[@]}" source --download-only -qq "$pin") >&2 || return 1
        tarball=$(ls "$src/${package}_$version"*.orig.tar.xz | head -1)
    fi
    unpack "$tarball" "$cache/build/$package-src"
    echo "$cache/build/$package-src"
}

unpack() {  # tarball, folder it unpacks to
    [ -d "$2" ] && return 0
    mkdir -p "$2.partial"
    tar -xf "$1" -C "$2.partial" --strip-components=1
    mv "$2.partial" "$2"
}

# Debian's Qt sources leave out the tablet interface's headers (src/3rdparty/wintab) that the
# windows platform plugin includes; Wine's own, from Debian's libwine-dev, stand in.
provide_wintab() {
    local folder=$1 deb
    [ -f "$folder/pktdef.h" ] && return 0
    log "the tablet headers from libwine-dev"
    deb=$(ls "$cache/src"/libwine-dev_*.deb 2>/dev/null | head -1 || true)
    if [ -z "$deb" ]; then
        (cd "$cache/src" && apt-get download -qq libwine-dev)
        deb=$(ls "$cache/src"/libwine-dev_*.deb | head -1)
    fi
    mkdir -p "$folder"
    dpkg-deb --fsys-tarfile "$deb" | tar -x -O ./usr/include/wine/wine/windows/wintab.h \
        >"$folder/wintab_wine.h"
    cp "$tree/packaging/windows/wintab.h" "$folder/wintab.h"
    dpkg-deb --fsys-tarfile "$deb" | tar -x -O ./usr/include/wine/wine/windows/pktdef.h \
        >"$folder/pktdef.h.partial"
    mv "$folder/pktdef.h.partial" "$folder/pktdef.h"
}

# Qt's SVG module: from Debian's qt6-svg sources where the archive has them, otherwise from
# Debian's qtsvg-opensource-src (Qt 5.15), its renderer ported to Qt 6 by a patch in the tree.
build_qtsvg() {
    local work=$cache/build svg_src
    if svg_src=$(qt_source qt6-svg qt6-svg-dev); then
        log "building qtsvg (log: $work/qtsvg.log)"
        "$qt_prefix/bin/qt-cmake" -S "$svg_src" -B "$work/qtsvg" -G Ninja \
            -DCMAKE_BUILD_TYPE=Release >"$work/qtsvg.log" 2>&1
    else
        log "no qt6-svg sources in the archive: the renderer from qtsvg-opensource-src instead"
        svg_src=$(qt_source qtsvg-opensource-src "" 5.15)
        if [ ! -f "$svg_src/.ported" ]; then
            patch -d "$svg_src" -p1 -s <"$tree/packaging/windows/qtsvg/qt6.patch"
            touch "$svg_src/.ported"
        fi
        log "building the SVG renderer (log: $work/qtsvg.log)"
        "$qt_prefix/bin/qt-cmake" -S "$tree/packaging/windows/qtsvg" -B "$work/qtsvg" -G Ninja \
            -DCMAKE_BUILD_TYPE=Release -DQTSVG_SOURCE_DIR="$svg_src" \
            -DCMAKE_INSTALL_PREFIX="$qt_prefix" >"$work/qtsvg.log" 2>&1
    fi
    cmake --build "$work/qtsvg" -j"$jobs" >>"$work/qtsvg.log" 2>&1
    cmake --install "$work/qtsvg" >>"$work/qtsvg.log" 2>&1
}

build_qt() {
    if [ -f "$qt_prefix/.complete" ]; then
        log "reusing the Windows Qt in $qt_prefix"
        return 0
    fi
    install_packages "${full_packages[@]}"
    local work=$cache/build started=$SECONDS base_src
    if [ ! -f "$qt_prefix/.qtbase-complete" ]; then
        base_src=$(qt_source qt6-base qt6-base-dev)
        provide_wintab "$base_src/src/3rdparty/wintab"
        # Qt 6.4's windows plugin reaches for OpenGL wherever dynamic GL is on, OpenGL or not.
        sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
            "$base_src/src/plugins/platforms/windows/qwindowswindow.cpp"
        # Qt keeps the path of the toolchain it was built with: a copy in the cache keeps the build
        # usable when the tree moves.
        mkdir -p "$cache"
        cp "$toolchain" "$cache/mingw-w64.cmake"
        log "configuring qtbase (log: $work/qtbase.log)"
        cmake -S "$base_src" -B "$work/qtbase" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$cache/mingw-w64.cmake" \
            -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
            -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
            -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
            -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
            -DFEATURE_vulkan=OFF -DFEATURE_concurrent=OFF \
            -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
            -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF \
            -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_movie=OFF \
            -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF \
            -DFEATURE_textmarkdownwriter=OFF -DFEATURE_sessionmanager=OFF \
            -DFEATURE_graphicsview=OFF -DFEATURE_mdiarea=OFF -DFEATURE_printdialog=ON \
            -DFEATURE_datetimeedit=ON -DFEATURE_calendarwidget=ON \
            -DFEATURE_undoview=OFF -DFEATURE_wizard=OFF \
            -DFEATURE_fontdialog=OFF -DFEATURE_colordialog=OFF -DFEATURE_columnview=OFF \
            -DFEATURE_toolbox=OFF -DFEATURE_keysequenceedit=OFF -DFEATURE_lcdnumber=OFF \
            -DFEATURE_dial=OFF -DFEATURE_splashscreen=OFF -DFEATURE_dockwidget=OFF \
            -DFEATURE_textbrowser=OFF -DFEATURE_syntaxhighlighter=OFF \
            -DFEATURE_mainwindow=ON -DFEATURE_toolbar=ON \
            -DFEATURE_printpreviewdialog=OFF -DFEATURE_printpreviewwidget=OFF \
            -DFEATURE_tablewidget=OFF -DFEATURE_treewidget=OFF \
            >"$work/qtbase.log" 2>&1
        log "building qtbase"
        cmake --build "$work/qtbase" -j"$jobs" >>"$work/qtbase.log" 2>&1
        cmake --install "$work/qtbase" >>"$work/qtbase.log" 2>&1
        touch "$qt_prefix/.qtbase-complete"
        log "qtbase built in $(((SECONDS - started) / 60)) min"
    fi
    build_qtsvg
    touch "$qt_prefix/.complete"
    log "Qt for Windows ready in $(((SECONDS - started) / 60)) min"
}

# --- The program, its tests, what users download ---------------------------------------------

host_build=$tree/build/win-host
win_build=$tree/build/win
dist=$tree/dist
product=Orvenda-Expans-1.00

build_program() {
    log "build-time tools and the Linux program for comparison, built natively"
    cmake -S "$tree" -B "$host_build" -DCMAKE_BUILD_TYPE=Release -DEXPANS_BUILD_TESTS=OFF >/dev/null
    cmake --build "$host_build" -j"$jobs" --target render_icon expans-unpack-raster orvenda-expans
    build_gtest "$tree/build/win-core"
    log "cross-building the program and its window tests"
    cmake -S "$tree" -B "$win_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$qt_prefix;$gtest_prefix" \
        -DEXPANS_HOST_BUILD="$host_build" >/dev/null
    cmake --build "$win_build" -j"$jobs" --target orvenda-expans ui_tests
}

# report_text <program and its arguments...>: the text of the report the program writes for the
# job, with the job file's name as given.
report_text() {
    local out=$1 job=$2
    shift 2
    "$@" "$job" --pdf "$out.pdf" 2>"$out.err" || { cat "$out.err" >&2; return 1; }
    # Laid out as on the page, with each run of spaces made one: the two systems' fonts differ
    # by a hair, which moves pdftotext's columns by a character here and there.
    pdftotext -layout "$out.pdf" - | sed -E 's/[[:space:]]+/ /g; s/^ //; s/ $//' >"$out.txt"
}

program_tests() {
    start_wine
    log "window tests under Wine, offscreen"
    # Left out: the report tests that read the PDF back with Debian's pdftotext, which a Windows
    # program cannot start (the reports are compared with the Linux ones below instead), and the
    # print dialog's texts, as Windows shows its own print dialog, not Qt's.
    local left_out=Report/ReportTest.*:Report/LongFigureReport.*:ReportFixture.TablesBreakWhole
    left_out+=:Report.FromAWindowNeverShown:QtTexts.PrintDialogIsHungarian
    left_out+=:StandardCheckTest.ReportHasTheCheckAndTheCommissioningSheet
    QT_QPA_PLATFORM=offscreen run_tests "$win_build/ui_tests.exe" --gtest_filter=-"$left_out"

    log "a job from Linux, with a Hungarian file name and Windows line endings, reported on both"
    local work=$win_build/job-check job="Családi ház.expans"
    rm -rf "$work" && mkdir -p "$work/crlf"
    cp "$tree/tests/cli/munka.expans" "$work/$job"
    sed 's/$/\r/' "$tree/tests/cli/munka.expans" >"$work/crlf/$job"
    (cd "$work" && report_text linux "$job" "$host_build/app/orvenda-expans" &&
        report_text windows "$job" "$wine" "$win_build/orvenda-expans.exe")
    (cd "$work/crlf" && report_text windows "$job" "$wine" "$win_build/orvenda-expans.exe")
    diff -u "$work/linux.txt" "$work/windows.txt" || { echo "the reports differ" >&2; return 1; }
    diff -u "$work/windows.txt" "$work/crlf/windows.txt" || {
        echo "Windows line endings change the report" >&2
        return 1
    }
    grep -q "Projektfájl: Családi ház.expans" "$work/windows.txt"
    echo "the same report on Linux and Windows"
}

package() {
    log "the portable zip and the setup program in dist/"
    local stage=$win_build/stage
    rm -rf "$stage" && mkdir -p "$stage/$product" "$dist"
    cp "$win_build/orvenda-expans.exe" "$win_build/packaging/windows/orvenda-expans.ico" \
        "$stage/$product/"
    "${triple}-strip" "$stage/$product/orvenda-expans.exe"
    rm -f "$dist/$product-win64.zip"
    (cd "$stage" && zip -q -r -X "$dist/$product-win64.zip" "$product")
    makensis -V2 -DSTAGE="$stage/$product" -DOUTFILE="$dist/$product-setup.exe" \
        "$tree/packaging/windows/installer.nsi"
    ls -l "$dist"
}

main() {
    build_qt
    core
    build_program
    program_tests
    package
    "$tree/tests/windows/setup_session.sh" "$dist/$product-setup.exe" "$win_build/job-check"
}

case $mode in
    core) core ;;
    qt) build_qt ;;
    full) main ;;
esac
