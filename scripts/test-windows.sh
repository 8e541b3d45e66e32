#!/usr/bin/env bash
# Cross-builds the core, the command-line tool, the window and their tests for 64-bit Windows with
# mingw-w64 into build-win/ (or $WIN_BUILD_DIR) and runs the tests under wine, in a private wine
# prefix inside the build folder, on an X display of its own (Xvfb), which the window tests need.
# Arguments go to CMake.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/install-deps.sh"
if [ -z "${TAVRIMEN_XVFB:-}" ]; then
  # The display must outlive the wine server, so the whole script runs inside it.
  TAVRIMEN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
build=${WIN_BUILD_DIR:-$here/build-win}
mkdir -p "$build"
export WINEDEBUG=-all WINEPREFIX="$build/wineprefix" WINEARCH=win64
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
# One wine server for the whole run, so that no test meets a server that is shutting down; it is
# stopped at the end so that nothing holds the output open.
mkdir -p "$WINEPREFIX"
"$wineserver" -p
trap '"$wineserver" -k 2>/dev/null || true' EXIT
"$wine" wineboot --init </dev/null >/dev/null 2>&1
# Windows on a wine desktop of their own, as on Windows: without a window manager on the X
# display, wine would wait for one each time a window is hidden.
"$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRIMEN_WERROR=ON "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
cd "$build"
# Listing the tests runs each test program under wine once, and wine now and then fails to start
# a program (status 1, no output). A listing that worked is kept, so the listing is tried up to
# three times before the tests run; a failure that stays shows in the run itself.
for attempt in 1 2 3; do
  ctest --show-only >/dev/null 2>&1 </dev/null && break
  echo "listing the tests failed (attempt $attempt)" >&2
done
ctest --output-on-failure --parallel "$(nproc)" </dev/null
