#!/usr/bin/env bash
# installed-layout.sh BUILD PREFIX SAMPLE.json STAGE: installs the build into STAGE (DESTDIR),
# checks what lands where and runs the installed commands from there.
set -euo pipefail
build=$1 prefix=$2 sample=$3 stage=$4
rm -rf "$stage"
DESTDIR="$stage" cmake --install "$build" >/dev/null
root=$stage$prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

# The two programs alone in their private folder; the commands in bin/; nothing of the tests.
[ "$(cd "$root/lib/sovranel" && LC_ALL=C ls | tr '\n' ' ')" = "Sovranel sovranel_capture_media.so sovranel_network.so update " ] || fail "lib/sovranel holds: $(ls "$root/lib/sovranel")"
[ "$(cd "$root/bin" && ls | tr '\n' ' ')" = "sovranel sovranel-pdf " ] || fail "bin holds: $(ls "$root/bin")"
[ "$(readlink -f "$root/bin/sovranel")" = "$(readlink -f "$root/lib/sovranel/Sovranel")" ] || fail "bin/sovranel is no link to the program"
for f in share/applications/br.com.sovranel.Sovranel.desktop share/applications/br.com.sovranel.Sovranel.Update.desktop \
         share/metainfo/br.com.sovranel.Sovranel.metainfo.xml \
         share/icons/hicolor/scalable/apps/br.com.sovranel.Sovranel.svg \
         share/icons/hicolor/48x48/apps/br.com.sovranel.Sovranel.png \
         share/man/man1/sovranel.1.gz share/man/man1/sovranel-pdf.1.gz \
         share/doc/sovranel/copyright share/doc/sovranel/changelog.gz; do
  [ -s "$root/$f" ] || fail "missing $f"
done
grep -qx "Exec=$prefix/lib/sovranel/update" "$root/share/applications/br.com.sovranel.Sovranel.Update.desktop" \
  || fail "the updater's entry does not start the installed updater"
if find "$stage" -name '*tst_*' -o -name '*_bench' -o -name 'resume_to_pdf' -o -name '*.a' | grep -q .; then
  fail "tests, benchmarks or libraries installed: $(find "$stage" -name '*tst_*' -o -name '*_bench' -o -name 'resume_to_pdf' -o -name '*.a')"
fi

# The installed commands, away from the build tree.
cd "$stage"
"$root/bin/sovranel" --version | grep -qx "sovranel [0-9.]*" || fail "sovranel --version"
"$root/bin/sovranel" --help | grep -q "^Uso: sovranel" || fail "sovranel --help"
"$root/lib/sovranel/update" --version | grep -qx "update [0-9.]*" || fail "update --version"
"$root/bin/sovranel-pdf" --help | grep -q "^Uso: sovranel-pdf" || fail "sovranel-pdf --help"
cp "$sample" "$stage/"
cp "$(dirname "$sample")"/*.jpg "$stage/" 2>/dev/null || true
"$root/bin/sovranel-pdf" "$stage/$(basename "$sample")" "$stage/out.pdf"
[ "$(head -c 5 "$stage/out.pdf")" = "%PDF-" ] || fail "sovranel-pdf wrote no PDF"
echo "installed layout: ok"
