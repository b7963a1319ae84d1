#!/usr/bin/env bash
# The .deb as a fresh machine gets it: made by CPack from the build folder, unpacked
# into a scratch root, every file in place, the dependencies declared, and the
# programs it holds running from there.
# usage: TestDeb.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" > "$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/brivane_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no brivane_*.deb made"
echo "package: $(basename "$deb") ($(du -k "$deb" | cut -f1) kB)"
[ "$(dpkg-deb -f "$deb" Package)" = brivane ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version $(dpkg-deb -f "$deb" Version), not $version"

root=$work/root
dpkg -x "$deb" "$root"
for f in usr/bin/brivane usr/bin/brivane-cli \
         usr/share/applications/brivane.desktop \
         usr/share/icons/hicolor/scalable/apps/brivane.svg \
         usr/share/icons/hicolor/scalable/mimetypes/application-x-brivane.svg \
         usr/share/mime/packages/brivane.xml \
         usr/share/brivane/Doc/index.html \
         usr/share/brivane/samples/Voilier11.kvb usr/share/brivane/samples/Vedette85.kvb \
         usr/share/brivane/samples/Deriveur42.kvb; do
  [ -s "$root/$f" ] || fail "missing $f"
done
for f in usr/bin/brivane usr/bin/brivane-cli; do [ -x "$root/$f" ] || fail "$f not executable"; done
# Every page and picture of the guide went in.
(cd "$(dirname "$0")/../../docs/guide" && find . -type f) | while read -r f; do
  [ -f "$root/usr/share/brivane/Doc/$f" ] || fail "guide file $f not installed"
done

# Dependencies: the Qt libraries the program links, and the platform plug-ins it loads.
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6svg6 libqt6gui6 libstdc++6 qt6-qpa-plugins; do
  grep -q "$d" <<< "$depends" || fail "Depends lacks $d: $depends"
done

# The desktop entry opens documents of the declared type with the installed program.
desk=$root/usr/share/applications/brivane.desktop
grep -qx 'Exec=brivane %f' "$desk" || fail "desktop entry Exec"
grep -qx 'MimeType=application/x-brivane;' "$desk" || fail "desktop entry MimeType"
grep -qx 'Icon=brivane' "$desk" || fail "desktop entry Icon"
grep -q 'type="application/x-brivane"' "$root/usr/share/mime/packages/brivane.xml" || fail "MIME type"
grep -q 'pattern="\*.kvb"' "$root/usr/share/mime/packages/brivane.xml" || fail "MIME glob"
if command -v desktop-file-validate > /dev/null; then desktop-file-validate "$desk" || fail "desktop-file-validate"; fi
if command -v xmllint > /dev/null; then
  xmllint --noout "$root/usr/share/mime/packages/brivane.xml" "$root/usr/share/icons/hicolor/scalable/apps/brivane.svg" ||
    fail "xmllint"
fi

# What a double-click in the file manager goes through: the document type's glob in the
# MIME database, and the program that opens that type.
if command -v update-mime-database > /dev/null; then
  update-mime-database "$root/usr/share/mime" > /dev/null 2>&1 || fail "update-mime-database"
  grep -q '^[0-9]*:application/x-brivane:\*\.kvb' "$root/usr/share/mime/globs2" || fail "*.kvb not in the MIME database"
fi
if command -v update-desktop-database > /dev/null; then
  update-desktop-database "$root/usr/share/applications" || fail "update-desktop-database"
  grep -qx 'application/x-brivane=brivane.desktop;' "$root/usr/share/applications/mimeinfo.cache" ||
    fail "brivane.desktop does not open application/x-brivane"
fi

# What a distribution's tools say of the package: no error nor warning from lintian (the
# copyright, the changelog, the manual pages, the description), and AppStream metadata
# that software centres accept, naming the desktop entry and the document type.
for f in usr/share/doc/brivane/copyright usr/share/doc/brivane/changelog.gz \
         usr/share/man/man1/brivane.1.gz usr/share/man/man1/brivane-cli.1.gz \
         usr/share/metainfo/org.brivane.brivane.metainfo.xml; do
  [ -s "$root/$f" ] || fail "missing $f"
done
if command -v lintian > /dev/null; then
  lintian --pedantic --allow-root "$deb" > "$work/lintian.txt" 2>&1 || true
  if grep -E '^[EW]: ' "$work/lintian.txt"; then fail "lintian"; fi
fi
meta=$root/usr/share/metainfo/org.brivane.brivane.metainfo.xml
if command -v appstreamcli > /dev/null; then
  appstreamcli validate --no-net "$meta" > "$work/appstream.txt" 2>&1 || { cat "$work/appstream.txt"; fail "appstreamcli validate"; }
fi
grep -q '<launchable type="desktop-id">brivane.desktop</launchable>' "$meta" || fail "metadata launchable"
grep -q '<mediatype>application/x-brivane</mediatype>' "$meta" || fail "metadata MIME type"
grep -q "<release version=\"$version\"" "$meta" || fail "metadata release $version"
dpkg-deb -f "$deb" Recommends | grep -q qt6-translations-l10n || fail "Recommends lacks qt6-translations-l10n"
# Each subcommand of the command line is in its manual page, and the page names no other.
cli_cmds=$("$root/usr/bin/brivane-cli" --help | sed -n '/^Subcommands:/,$p' | awk 'NF && !/^Subcommands:/ {print $1}' | sort)
man_cmds=$(zcat "$root/usr/share/man/man1/brivane-cli.1.gz" | sed -n '/^\.SH SUBCOMMANDS/,/^\.SH EXIT/p' |
  awk '/^\.B / {print $2}' | sort)
[ -n "$cli_cmds" ] || fail "brivane-cli --help lists no subcommand"
[ "$cli_cmds" = "$man_cmds" ] || fail "brivane-cli.1 subcommands differ from --help: $(diff <(echo "$cli_cmds") <(echo "$man_cmds") | tr '\n' ' ')"

# The window program tells its version and options without a display; each option of its
# --help is in its manual page, and the page names no other.
nodisp() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }
out=$(nodisp "$root/usr/bin/brivane" --version) || fail "brivane --version"
[ "$out" = "brivane $version" ] || fail "brivane --version said: $out"
gui_opts=$(nodisp "$root/usr/bin/brivane" --help | sed -n 's/^  \(-.*\)$/\1/p' | sed -E 's/  +.*//' |
  grep -oE '(^|, )--?[a-z][a-z-]*' | sed 's/^, //' | sort -u)
man_opts=$(zcat "$root/usr/share/man/man1/brivane.1.gz" | sed -n '/^\.SH OPTIONS/,/^\.SH EXIT/p' | grep '^\.B' |
  grep -oE '\\-(\\-)?[a-z][a-z-]*' | sed 's/\\//g' | sort -u)
[ -n "$gui_opts" ] || fail "brivane --help lists no option"
[ "$gui_opts" = "$man_opts" ] || fail "brivane.1 options differ from --help: $(diff <(echo "$gui_opts") <(echo "$man_opts") | tr '\n' ' ')"

# The programs run from the scratch root.
out=$("$root/usr/bin/brivane-cli" --version)
[ "$out" = "brivane-cli $version" ] || fail "brivane-cli --version said: $out"
"$root/usr/bin/brivane-cli" info "$root/usr/share/brivane/samples/Voilier11.kvb" > "$work/info.txt" ||
  fail "brivane-cli info on the installed sample"
grep -q . "$work/info.txt" || fail "brivane-cli info printed nothing"
QT_QPA_PLATFORM=offscreen "$root/usr/bin/brivane" --screenshot "$work/shot.png" --size 640x480 \
  "$root/usr/share/brivane/samples/Voilier11.kvb" || fail "installed brivane --screenshot"
[ -s "$work/shot.png" ] || fail "no screenshot"
# A language by its name: the installed file is found.
QT_QPA_PLATFORM=offscreen "$root/usr/bin/brivane" --print hydrostat "$work/h.pdf" --lang English \
  "$root/usr/share/brivane/samples/Deriveur42.kvb" || fail "installed brivane --lang English"
if command -v pdftotext > /dev/null; then
  pdftotext "$work/h.pdf" - | grep -q Displacement || fail "--lang English did not print in English"
fi
echo "deb: all in place"
