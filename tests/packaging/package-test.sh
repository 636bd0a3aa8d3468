#!/bin/sh
# Builds the Debian package from what is built already, checks its file list and its
# worked-out dependencies, unpacks it into a throw-away root and runs the batch program
# from there on a sample: it must write the same bytes as the program of the build tree.
# lintian must report no errors.
# usage: package-test.sh BUILD_DIR WORK_DIR SAMPLES_DIR
set -eu
build=$1
work=$2
samples=$3
fail() { echo "package-test: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
(cd "$build" && cpack -B "$work") >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/tovik-images_*.deb)

dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$work/files"
cat >"$work/expected" <<'LIST'
./usr/bin/tovik-images
./usr/bin/tovik-images-cli
./usr/share/applications/tovik-images.desktop
./usr/share/doc/tovik-images/changelog.gz
./usr/share/doc/tovik-images/copyright
./usr/share/icons/hicolor/128x128/apps/tovik-images.png
./usr/share/icons/hicolor/16x16/apps/tovik-images.png
./usr/share/icons/hicolor/256x256/apps/tovik-images.png
./usr/share/icons/hicolor/32x32/apps/tovik-images.png
./usr/share/icons/hicolor/48x48/apps/tovik-images.png
./usr/share/icons/hicolor/64x64/apps/tovik-images.png
./usr/share/icons/hicolor/scalable/apps/tovik-images.svg
./usr/share/man/man1/tovik-images-cli.1.gz
./usr/share/man/man1/tovik-images.1.gz
./usr/share/metainfo/tovik-images.metainfo.xml
./usr/share/mime/packages/tovik-images.xml
LIST
diff -u "$work/expected" "$work/files" || fail "the package's files differ from the list"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libjpeg62-turbo libtiff6; do
    echo "$depends" | grep -q "$library" || fail "Depends lacks $library: $depends"
done

dpkg -x "$deb" "$work/root"
sample=$samples/fruit.jpg
for cli in "$work/root/usr/bin/tovik-images-cli" "$build/cli/tovik-images-cli"; do
    out=$work/$(echo "$cli" | md5sum | cut -c1-8).bin
    "$cli" convert "$sample" --method ordered --palette 6 -o "$out" --format bin-palette
    echo "$out" >>"$work/outputs"
done
cmp $(cat "$work/outputs") || fail "the installed program wrote other bytes than the built one"
"$work/root/usr/bin/tovik-images-cli" info "$(head -1 "$work/outputs")" >"$work/info"
grep -qx 'format bin-palette' "$work/info" || fail "info: $(cat "$work/info")"

lintian --fail-on error --suppress-tags-from-file /dev/null "$deb" || fail "lintian reports errors"
echo "package-test: passed"
