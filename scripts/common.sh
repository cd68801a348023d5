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
  local packages=(cmake ninja-build g++ googletest python3 clang libclang-rt-dev clang-format openssl
                  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
                  wine wine64)
  local missing=()
  for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  # 32-bit Wine runs the Wine tests on the shipped build, where the machine
  # can execute 32-bit code; the 64-bit build runs them everywhere else.
  local wine32=()
  dpkg -s wine32:i386 >/dev/null 2>&1 || wine32=(wine32:i386)
  [ ${#missing[@]} -eq 0 ] && [ ${#wine32[@]} -eq 0 ] && return 0
  say "installing: ${missing[*]} ${wine32[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  update_package_lists
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q "${missing[@]}" "${wine32[@]}" && return 0
  if [ ${#missing[@]} -gt 0 ] && ! DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q "${missing[@]}"; then
    echo "error: could not install ${missing[*]}; retry with: apt-get update && apt-get install ${missing[*]}" >&2
    exit 1
  fi
  install_wine32_from_main_archive ||
    say "could not install wine32:i386; the Wine tests run on the 64-bit build only"
}

# When the security archive's i386 index cannot be fetched, the i386 side
# sees only the main archive's versions while the amd64 side holds newer
# security versions of the same multi-arch libraries, and apt refuses wine32.
# Installing wine, wine64 and wine32 together from the main archive alone
# matches the two sides. The three go together: wine32 alone would remove
# wine64, whose amd64 libraries are then newer than the i386 ones.
install_wine32_from_main_archive() {
  local mirror suite
  mirror=$(debian_mirror) || return 1
  suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  [ -n "$suite" ] || return 1
  local dir
  dir=$(mktemp -d)
  printf 'deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] %s %s main\n' \
    "$mirror" "$suite" "$mirror" "$suite-updates" >"$dir/sources.list"
  mkdir -p "$dir/lists/partial"
  local options=(-o "Dir::Etc::SourceList=$dir/sources.list" -o Dir::Etc::SourceParts=/nonexistent
                 -o "Dir::State::Lists=$dir/lists")
  say "installing wine, wine64 and wine32:i386 from the main archive ($mirror $suite)"
  local status=0
  as_root apt-get "${options[@]}" update -q &&
    DEBIAN_FRONTEND=noninteractive as_root apt-get "${options[@]}" install -y -q --no-install-recommends \
      wine wine64 wine32:i386 || status=1
  rm -rf "$dir"
  return $status
}

# The Debian mirror that the machine's own sources name for the main archive.
debian_mirror() {
  local uri
  uri=$(grep -hsE '^[[:space:]]*URIs:' /etc/apt/sources.list.d/*.sources |
        awk '{print $2}' | grep -E '/debian/?$' | head -n 1)
  [ -n "$uri" ] || uri=$(grep -hsE '^[[:space:]]*deb[[:space:]]' /etc/apt/sources.list /etc/apt/sources.list.d/*.list |
                         grep -oE '(https?|file)://[^ ]+/debian/?( |$)' | head -n 1)
  [ -n "$uri" ] || return 1
  echo "${uri%/}" | tr -d ' '
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

# The Wine tests run on the shipped 32-bit build where this machine can
# execute 32-bit code, and on the 64-bit build of the same sources elsewhere.
wine_test_tree() {
  if can_run_32bit_wine; then echo win32; else echo win64; fi
}

build_windows_trees() {
  local win32=OFF win64=ON
  [ "$(wine_test_tree)" = win32 ] && win32=ON win64=OFF
  say "building the 32-bit Windows tree (the shipped build)"
  configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-i686-mingw.cmake" -DKV_WINE_TESTS=$win32
  say "building the 64-bit Windows tree"
  configure_and_build win64 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-x86_64-mingw.cmake" -DKV_WINE_TESTS=$win64
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

# Authenticode signing with Debian's main-archive osslsigncode: other
# versions lay out the signature differently, so a signed build reproduces
# only with the same one.
KV_OSSLSIGNCODE_SERIES=2.5
ensure_osslsigncode() {
  local installed
  installed=$(dpkg-query -W -f '${Version}' osslsigncode 2>/dev/null || true)
  case "$installed" in "$KV_OSSLSIGNCODE_SERIES"*) return 0 ;; esac
  local wanted
  wanted=$(apt-cache madison osslsigncode 2>/dev/null | awk -F'|' '{gsub(/ /, "", $2); print $2}' |
           grep -m 1 "^$KV_OSSLSIGNCODE_SERIES" || true)
  if [ -z "$wanted" ]; then
    update_package_lists
    wanted=$(apt-cache madison osslsigncode | awk -F'|' '{gsub(/ /, "", $2); print $2}' |
             grep -m 1 "^$KV_OSSLSIGNCODE_SERIES" || true)
  fi
  [ -n "$wanted" ] || { echo "error: no osslsigncode $KV_OSSLSIGNCODE_SERIES in the package lists" >&2; return 1; }
  say "installing osslsigncode $wanted"
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q --allow-downgrades "osslsigncode=$wanted"
}
