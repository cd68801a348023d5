#!/usr/bin/env bash
# Signs the release with a throwaway CA's code-signing certificate and checks
# that every binary verifies against that CA, that a flipped byte breaks the
# signature, that signing again gives the same bytes, and that the signed
# executable stays below the size limit.
#   signing_test.sh <source folder> <build tree> <work folder> <package name> <epoch> <osslsigncode>
set -euo pipefail
src=$1 tree=$2 work=$3 name=$4 epoch=$5 osslsigncode=$6
rm -rf "$work" && mkdir -p "$work/unpacked" && cd "$work"

openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 -subj "/CN=Throwaway Test CA" \
  -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign 2>/dev/null
openssl req -newkey rsa:2048 -nodes -keyout sign.key -out sign.csr -subj "/CN=Throwaway Code Signing" 2>/dev/null
printf 'keyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >sign.ext
openssl x509 -req -in sign.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 -extfile sign.ext -out sign.pem 2>/dev/null

cmake -DBUILD_DIR="$tree" -DOUT="$work/package" -DNAME="$name" -DEPOCH="$epoch" -DBIN="$tree/bin" \
  -DSIGN_CERT=sign.pem -DSIGN_KEY=sign.key -DOSSLSIGNCODE="$osslsigncode" -P "$src/cmake/make-package.cmake"
(cd unpacked && cmake -E tar xf "$work/package/$name.zip")
# The signing time comes from the commit: signing again gives the same bytes.
cmake -DBUILD_DIR="$tree" -DOUT="$work/again" -DNAME="$name" -DEPOCH="$epoch" -DBIN="$tree/bin" \
  -DSIGN_CERT=sign.pem -DSIGN_KEY=sign.key -DOSSLSIGNCODE="$osslsigncode" -P "$src/cmake/make-package.cmake"
cmp "$work/package/$name.zip" "$work/again/$name.zip" || { echo "FAIL: a second signing gave other bytes"; exit 1; }

for f in Kestrovane.exe KestrovaneCheck.exe Relaynet.dll; do
  "$osslsigncode" verify -CAfile ca.pem -in "unpacked/$f" >"verify-$f.log" 2>&1 ||
    { cat "verify-$f.log"; echo "FAIL: $f does not verify"; exit 1; }
done
size=$(stat -c %s unpacked/Kestrovane.exe)
[ "$size" -lt 524288 ] || { echo "FAIL: the signed Kestrovane.exe has $size bytes, not below 524288"; exit 1; }

# One byte of the code changed: the signature must no longer match.
cp unpacked/Kestrovane.exe flipped.exe
offset=$((size / 3))
byte=$(od -An -tu1 -j "$offset" -N1 flipped.exe | tr -d ' ')
printf "$(printf '\\%03o' $((byte ^ 1)))" | dd of=flipped.exe bs=1 seek="$offset" conv=notrunc status=none
if "$osslsigncode" verify -CAfile ca.pem -in flipped.exe >verify-flipped.log 2>&1; then
  echo "FAIL: a changed byte still verifies"; exit 1
fi
echo "signed binaries verify; a changed byte does not; Kestrovane.exe signed: $size bytes"
