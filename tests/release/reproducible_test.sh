#!/usr/bin/env bash
# Builds the release a second time from a copy of the sources in another
# folder and fails unless every binary, debug file and archive has the same
# SHA-256 as the first tree's.
#   reproducible_test.sh <source folder> <first build tree> <work folder> <package name> <epoch>
set -euo pipefail
src=$1 first=$2 work=$3 name=$4 epoch=$5
rel=$(realpath --relative-to="$src" "$first")
case "$rel" in ../*) echo "the build tree must lie inside the source folder" >&2; exit 1 ;; esac

rm -rf "$work" && mkdir -p "$work/another-folder"
copy="$work/another-folder/sources"
mkdir -p "$copy"
if git -C "$src" rev-parse --show-toplevel >/dev/null 2>&1; then
  # What the work tree holds: committed, changed and new files alike.
  (cd "$src" && git ls-files -z --cached --others --exclude-standard |
     while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done | xargs -0 cp --parents -t "$copy")
else
  (cd "$src" && tar --exclude=./build -cf - .) | tar -xf - -C "$copy"
fi

second="$copy/$rel"
cmake -S "$copy" -B "$second" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKV_WINE_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$copy/cmake/toolchain-i686-mingw.cmake" -DKV_SOURCE_DATE_EPOCH="$epoch" >"$work/configure.log"
cmake --build "$second" --target release_package >"$work/build.log"
mkdir -p "$work/first"
cmake -DBUILD_DIR="$first" -DOUT="$work/first" -DNAME="$name" -DEPOCH="$epoch" \
  -DBIN="$first/bin" -P "$src/cmake/make-package.cmake"

status=0
compare() {
  local a b
  a=$(sha256sum <"$1" | cut -d' ' -f1) b=$(sha256sum <"$2" | cut -d' ' -f1)
  if [ "$a" = "$b" ]; then echo "same   $a  $(basename "$1")"; else echo "DIFFER $(basename "$1"): $a vs $b"; status=1; fi
}
for f in Kestrovane.exe KestrovaneCheck.exe Relaynet.dll; do
  compare "$first/bin/$f" "$second/bin/$f"
  compare "$first/bin/$f.debug" "$second/bin/$f.debug"
done
for f in "$name.zip" "$name.zip.sha256" "$name-symbols.zip"; do
  compare "$work/first/$f" "$second/package/$f"
done
exit $status
