# Shared by scripts/test, scripts/demo and scripts/package: installs what is
# missing, builds the trees and prepares the Wine prefix. Source it; do not run it.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${KV_BUILD_DIR:-$ROOT/build}
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX=${WINEPREFIX:-$BUILD/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# wineboot would try to download Mono and Gecko; neither is needed.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

say() { printf '== %s\n' "$*"; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
  local packages=(cmake ninja-build g++ googletest python3 clang libclang-rt-dev clang-format
                  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
                  wine wine64)
  # 32-bit Wine runs the Wine tests on the shipped build too, where the
  # machine can execute 32-bit code; the 64-bit build runs them everywhere.
  local optional=(wine32:i386)
  local missing=()
  for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing: ${missing[*]} ${optional[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  update_package_lists
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q "${missing[@]}" "${optional[@]}" && return 0
  say "could not install ${optional[*]} with the rest; installing without it (no 32-bit Wine tests)"
  if ! DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q "${missing[@]}"; then
    echo "error: could not install ${missing[*]}; retry with: apt-get update && apt-get install ${missing[*]}" >&2
    exit 1
  fi
}

# A mirror in the middle of a sync can fail one index for a while. Try a few
# times, then go on: the install itself tells whether what we need is there.
update_package_lists() {
  local try
  for try in 1 2 3 4; do
    as_root apt-get update -q && return 0
    [ "$try" -lt 4 ] && { say "apt-get update reported a failed index; retrying in $((try * 10)) s"; sleep $((try * 10)); }
  done
  say "apt-get update still reports a failed index; installing with the lists it has"
}

# True when this machine can run 32-bit Windows programs (some sandboxes
# cannot execute 32-bit code at all; Wine's 32-bit loader then fails).
can_run_32bit_wine() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

configure_tree() {
  local tree=$1; shift
  cmake -S "$ROOT" -B "$BUILD/$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >"$BUILD/$tree.configure.log" 2>&1 ||
    { cat "$BUILD/$tree.configure.log"; return 1; }
}

configure_and_build() {
  configure_tree "$@"
  cmake --build "$BUILD/$1"
}

build_windows_trees() {
  local wine32=OFF
  can_run_32bit_wine && wine32=ON
  say "building the 32-bit Windows tree (the shipped build)"
  configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-i686-mingw.cmake" -DKV_WINE_TESTS=$wine32
  say "building the 64-bit Windows tree (runs the Wine tests)"
  configure_and_build win64 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-x86_64-mingw.cmake"
}

prepare_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    say "creating the Wine prefix $WINEPREFIX (takes a minute once)"
    mkdir -p "$WINEPREFIX"
    "$WINE64" wineboot -i >/dev/null 2>&1 || true
  fi
  "$WINESERVER" -w
  # Keep one server running for the whole session: each test case starts a
  # new Wine process, and starting the server anew each time costs seconds.
  "$WINESERVER" -p
  # Start Wine's own background programs now, detached from any pipe: started
  # by the first test they would hold ctest's output pipe open until it times out.
  "$WINE64" wineboot >/dev/null 2>&1 </dev/null || true
  trap '"$WINESERVER" -k 2>/dev/null || true' EXIT
}
