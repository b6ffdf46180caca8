#!/usr/bin/env bash
# The release as a user checks it. Two clones of the commit, in other folders, time zones and
# umasks and minutes apart, package the same bytes; dist/SHA256SUMS checks; signed with a
# throwaway certificate, the setup, the program in the zip and the uninstaller the setup
# installs verify, the program is the unsigned one but for its signature, the password shows in
# no output, and a wrong one stops packaging with nothing left in dist/.
# Ends with 'release: N passed, N failed'.   tests/release/run.sh
source "$(dirname "$0")/../../scripts/lib.sh"
set +eu
tmp=$(mktemp -d)
trap '[ -n "$WINEPREFIX" ] && /usr/lib/wine/wineserver -k; [ -n "$XVFB_PID" ] && kill "$XVFB_PID"; rm -rf "$tmp"' EXIT
passed=0 failed=0
check() { if "${@:2}"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "!! FAIL: $1"; fi; }
v=$(gluma_version) a=$tmp/a b=$tmp/second/b
files=(build/i686/GlumaNote.exe "build/i686/Gluma Note.chm" dist/GlumaNote-$v-setup.exe dist/GlumaNote-$v-win32.zip)
package() { (cd "$1" && env -u SOURCE_DATE_EPOCH "${@:3}" scripts/package) >>"$2" 2>&1; }
for c in "$a" "$b"; do git clone -q --no-checkout "$ROOT" "$c" && git -C "$c" checkout -q "$(git -C "$ROOT" rev-parse HEAD)"; done

say "release: packaging two clones"
(umask 022; package "$a" "$tmp/a.log" TZ=UTC)
(umask 077; package "$b" "$tmp/b.log" TZ=Asia/Shanghai)
for f in "${files[@]}"; do
    check "$f differs between the clones" cmp "$a/$f" "$b/$f"
    check "$f holds the folder it was built in" eval '! { strings -a "$b/$f"; strings -a -el "$b/$f"; } | grep -qF -e "$b" -e /tmp/'
done
stamp=$(i686-w64-mingw32-objdump -p "$b/${files[0]}" | sed -n 's/^Time\/Date\t*//p')
check "the program's time stamp is not the commit's: $stamp" [ "$(date -d "$stamp" +%s)" = "$(git -C "$b" log -1 --format=%ct)" ]
check "SHA256SUMS does not check" eval '(cd "$b/dist" && sha256sum -c --strict SHA256SUMS && [ $(wc -l < SHA256SUMS) = 2 ])'

say "release: signing"
cd "$tmp" && openssl rand -hex 16 | tr -d '\n' > pass && echo wrong > wrong
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 -subj "/CN=Test CA" \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign 2>/dev/null
openssl req -newkey rsa:2048 -nodes -keyout cs.key -out cs.csr -subj "/CN=Test signer" 2>/dev/null
openssl x509 -req -in cs.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 -out cs.pem 2>/dev/null \
    -extfile <(printf 'extendedKeyUsage=codeSigning\nkeyUsage=critical,digitalSignature\n')
openssl pkcs12 -export -inkey cs.key -in cs.pem -certfile ca.pem -out cs.pfx -passout file:pass
package "$b" "$tmp/wrong.log" GLUMA_SIGN_PFX="$tmp/cs.pfx" GLUMA_SIGN_PASSWORD_FILE="$tmp/wrong"
rc=$?
check "a wrong password did not stop packaging, or said nothing of it: $(tail -1 wrong.log)" eval '[ $rc != 0 ] && grep -q "wrong password" wrong.log'
check "a failed signing left files in dist/: $(ls "$b/dist")" eval '[ -z "$(ls "$b/dist")" ]'
package "$b" "$tmp/signed.log" GLUMA_SIGN_PFX="$tmp/cs.pfx" GLUMA_SIGN_PASSWORD_FILE="$tmp/pass"
unzip -p "$b/${files[3]}" "GlumaNote-$v/GlumaNote.exe" > program.exe
osslsigncode remove-signature -in program.exe -out unsigned.exe >/dev/null
unset DISPLAY WINEPREFIX && start_display && wine_prefix "$tmp/wine" && export LANG=C.UTF-8 LC_ALL=C.UTF-8
"$WINE" "$b/${files[2]}" /S && /usr/lib/wine/wineserver -w
for f in "$b/${files[2]}" program.exe "$WINEPREFIX"/drive_c/users/*/AppData/Local/Programs/GlumaNote/uninstall.exe; do
    check "$f does not verify" eval 'osslsigncode verify -CAfile ca.pem -in "$f" >/dev/null 2>&1'
done
# The signature aside, only the PE header's checksum (4 bytes at 88 past the header) may differ.
sum=$(( $(od -An -tu4 -j60 -N4 unsigned.exe) + 89 ))
check "the signed program less its signature is not the unsigned one" \
    eval '[ -z "$(cmp -l unsigned.exe "$b/${files[0]}" | awk -v s=$sum "\$1 < s || \$1 > s + 3")" ] && [ -s unsigned.exe ]'
check "the password is in an output" eval '! grep -rqF "$(cat pass)" ./*.log "$tmp"/*.log'
echo "release: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
