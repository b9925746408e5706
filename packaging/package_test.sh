#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it as a user's machine would meet it:
# its files, the programs run from an unpacked copy, the desktop entries and metainfo validated,
# and lintian without errors. As root, and when the package is not installed already, it is also
# installed and removed once.   usage: package_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
debs=("$work"/out/ranqor-vistral_"$version"_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "no single package in $work/out: $(ls "$work/out")"
deb=${debs[0]}

dpkg-deb -c "$deb" | sed -E 's/^([^ ]+ +){5}//; s|^\./|/|' >"$work/files"
for f in /usr/bin/ranqor /usr/bin/vistral \
         /usr/share/ranqor/engines/engines.txt /usr/share/ranqor/edata/Google.hdf /usr/share/ranqor/help/contents.html \
         /usr/share/ranqor/reports/ /usr/share/ranqor/Temp/ \
         /usr/share/vistral/engines/engines.txt /usr/share/vistral/cats/cat.txt "/usr/share/vistral/My Profiles/Base.rpf" \
         /usr/share/vistral/help/contents.html /usr/share/vistral/history/ "/usr/share/vistral/My Projects/" \
         /usr/share/applications/ranqor.desktop /usr/share/applications/vistral.desktop \
         /usr/share/icons/hicolor/scalable/apps/ranqor.svg /usr/share/icons/hicolor/scalable/apps/vistral.svg \
         /usr/share/metainfo/example.orlek.ranqor.metainfo.xml /usr/share/metainfo/example.orlek.vistral.metainfo.xml \
         /usr/share/man/man1/ranqor.1.gz /usr/share/man/man1/vistral.1.gz \
         /usr/share/doc/ranqor-vistral/copyright /usr/share/doc/ranqor-vistral/changelog.gz; do
    grep -qxF "$f" "$work/files" || fail "missing from the package: $f"
done

# Dependencies come from the binaries, so the libraries they link are named.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libcurl4 libqt6widgets6 libqt6charts6 qt6-qpa-plugins libqt6sql6-sqlite; do
    [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
export XDG_DATA_HOME="$work/userdata" ORLEK_SETTINGS="$work/settings.ini"
unset RANQOR_HOME VISTRAL_HOME
for program in ranqor vistral; do
    out=$("$root/usr/bin/$program" --version) || fail "$program --version failed"
    [ "$out" = "$program $version" ] || fail "$program --version said: $out"
    "$root/usr/bin/$program" --help | grep -q "^Usage: $program" || fail "$program --help lacks its usage"
    zcat "$root/usr/share/man/man1/$program.1.gz" | grep -q "^.TH ${program^^} 1" || fail "$program.1 is no manual page"
    desktop-file-validate "$root/usr/share/applications/$program.desktop" || fail "$program.desktop is invalid"
    appstreamcli validate --no-net "$root/usr/share/metainfo/example.orlek.$program.metainfo.xml" >"$work/as.log" 2>&1 \
        || { cat "$work/as.log" >&2; fail "$program's metainfo is invalid"; }
done

# The installed programs find their shipped folders and copy them for the user.
"$root/usr/bin/vistral" projects | grep -qx Base || fail "vistral from the package does not list the Base project"
[ -f "$work/userdata/vistral/cats/cat.txt" ] || fail "vistral made no user copy of its folder"
"$root/usr/bin/ranqor" history --list >/dev/null || fail "ranqor from the package cannot read its history"

lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 \
    || { cat "$work/lintian.log" >&2; fail "lintian found errors"; }

if [ "$(id -u)" = 0 ] && ! dpkg-query -W -f='${Status}' ranqor-vistral 2>/dev/null | grep -q "install ok installed"; then
    if ! dpkg -i "$deb" >"$work/dpkg.log" 2>&1; then
        if grep -q "lock" "$work/dpkg.log"; then
            # Another installation holds dpkg; the unpacked copy above already ran both programs.
            echo "package ok: $(basename "$deb") (not installed: dpkg is busy)"
            exit 0
        fi
        cat "$work/dpkg.log" >&2
        dpkg -r ranqor-vistral >/dev/null 2>&1
        fail "dpkg -i failed"
    fi
    status=0
    [ "$(/usr/bin/ranqor --version)" = "ranqor $version" ] || status=1
    man -w ranqor >/dev/null 2>&1 || [ -f /usr/share/man/man1/ranqor.1.gz ] || status=1
    dpkg -r ranqor-vistral >>"$work/dpkg.log" 2>&1 || fail "dpkg -r failed"
    [ ! -e /usr/bin/ranqor ] || fail "dpkg -r left /usr/bin/ranqor"
    [ $status = 0 ] || fail "the installed package did not run"
fi
echo "package ok: $(basename "$deb")"
