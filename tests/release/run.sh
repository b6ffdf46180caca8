#!/usr/bin/env bash
# The release as a user checks it. Two clones of the commit, in other folders, time zones and
# umasks and minutes apart, package the same bytes, with no folder of theirs inside;
# dist/SHA256SUMS checks; the program imports no DPI function that Windows 7 lacks. With a
# throwaway certificate, a wrong password stops packaging and leaves dist/ empty; the right one
# signs the setup, the program in the zip and the uninstaller in the setup (as 7-Zip unpacks it:
# no 32-bit Wine needed), the program less its signature is the unsigned one, and the password
# shows in no output.
# Ends with 'release: N passed, N failed'.   tests/release/run.sh
source "$(dirname "$0")/../../scripts/lib.sh"
set +eu +o pipefail  # a check of a pipe is of its last command (grep -q may stop strings early)
tmp=$(mktemp -d) passed=0 failed=0
trap 'rm -rf "$tmp"' EXIT
check() { if eval "$2"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "!! FAIL: $1"; fi; }
v=$(gluma_version) a=$tmp/a b=$tmp/second/b
files=(build/i686/GlumaNote.exe "build/i686/Gluma Note.chm" dist/GlumaNote-$v-setup.exe dist/GlumaNote-$v-win32.zip)
package() { (cd "$1" && env -u SOURCE_DATE_EPOCH "${@:3}" scripts/package) >>"$tmp/$2.log" 2>&1; }
for c in "$a" "$b"; do git clone -q --no-checkout "$ROOT" "$c" && git -C "$c" checkout -q "$(git -C "$ROOT" rev-parse HEAD)"; done
say "release: packaging two clones"
(umask 022; package "$a" a TZ=UTC)
(umask 077; package "$b" b TZ=Asia/Shanghai)
for f in "${files[@]}"; do
    check "$f differs between the clones" 'cmp "$a/$f" "$b/$f"'
    check "$f holds a folder of the build" '! { strings -a "$b/$f"; strings -a -el "$b/$f"; } | grep -qF -e "$b" -e /tmp/'
done
stamp=$(i686-w64-mingw32-objdump -p "$b/${files[0]}" | sed -n 's/^Time\/Date\t*//p')
check "the program's time stamp $stamp is not the commit's" '[ "$(date -d "$stamp" +%s)" = "$(git -C "$b" log -1 --format=%ct)" ]'
# Windows 7 and 8 lack the per-monitor DPI functions: the program finds them by name, or it
# would not start there.
check "the program imports a DPI function Windows 7 or 8 lacks" '! i686-w64-mingw32-objdump -p "$b/${files[0]}" |
    grep -qwE "GetDpiFor(Window|System|Monitor)|(GetSystemMetrics|AdjustWindowRectEx|SystemParametersInfo)ForDpi|EnableNonClientDpiScaling|(SetThread|SetProcess|GetWindow)DpiAwarenessContext"'
check "SHA256SUMS does not check both files" '(cd "$b/dist" && sha256sum -c --strict SHA256SUMS) && [ $(wc -l < "$b/dist/SHA256SUMS") = 2 ]'

say "release: signing"
cd "$tmp" && openssl rand -hex 16 | tr -d '\n' > pass && echo wrong > wrong && ossl() { openssl "$@" 2>/dev/null; }
ossl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -subj /CN=CA -addext keyUsage=keyCertSign
ossl req -newkey rsa:2048 -nodes -keyout cs.key -out cs.csr -subj /CN=Signer
ossl x509 -req -in cs.csr -CA ca.pem -CAkey ca.key -out cs.pem -extfile <(echo extendedKeyUsage=codeSigning)
ossl pkcs12 -export -inkey cs.key -in cs.pem -certfile ca.pem -out cs.pfx -passout file:pass
package "$b" wrong GLUMA_SIGN_PFX="$tmp/cs.pfx" GLUMA_SIGN_PASSWORD_FILE="$tmp/wrong"
rc=$?
check "a wrong password did not stop packaging, or said nothing of it" '[ $rc != 0 ] && grep -q "wrong password" wrong.log'
check "a failed signing left files in dist/: $(ls "$b/dist")" '[ -z "$(ls "$b/dist")" ]'
package "$b" signed GLUMA_SIGN_PFX="$tmp/cs.pfx" GLUMA_SIGN_PASSWORD_FILE="$tmp/pass"
unzip -p "$b/${files[3]}" "GlumaNote-$v/GlumaNote.exe" > GlumaNote.exe && 7zz x -so "$b/${files[2]}" uninstall.exe > uninstall.exe
for f in "$b/${files[2]}" GlumaNote.exe uninstall.exe; do
    check "$f does not verify" 'osslsigncode verify -CAfile ca.pem -in "$f" >/dev/null 2>&1'
done
# Without its signature, only the PE header's checksum (4 bytes at 88 past the header) may
# differ; a difference in length ("cmp: EOF on ...") is a difference too.
osslsigncode remove-signature -in GlumaNote.exe -out unsigned.exe >/dev/null
sum=$(( $(od -An -tu4 -j60 -N4 unsigned.exe) + 89 ))
check "the signed program less its signature is not the unsigned one" \
    '[ -s unsigned.exe ] && [ -z "$(cmp -l unsigned.exe "$b/${files[0]}" 2>&1 | awk -v s=$sum "\$1 < s || \$1 > s + 3")" ]'
check "the password is in an output" '! grep -qF "$(cat pass)" ./*.log'
echo "release: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
