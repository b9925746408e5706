#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that the installed vistral finds its
# shipped folder and gives the user a copy of their own: usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/vistral share/vistral/engines/engines.txt share/vistral/engines/New.txt "share/vistral/edata/Nerd World.hdf" \
         share/vistral/cats/cat.txt "share/vistral/My Profiles/Base.rpf" share/vistral/tips/six.txt \
         share/vistral/help/contents.html share/applications/vistral.desktop \
         share/icons/hicolor/scalable/apps/vistral.svg; do
    [ -e "$prefix/$f" ] || { echo "missing after install: $f" >&2; exit 1; }
done
for d in history imp "My File Lists" "My Projects"; do
    [ -d "$prefix/share/vistral/$d" ] || { echo "missing after install: share/vistral/$d" >&2; exit 1; }
done

# The installed program lists the projects of the user's copy of the folder.
export XDG_DATA_HOME="$prefix/userdata" ORLEK_SETTINGS="$prefix/settings.ini"
unset VISTRAL_HOME
out=$("$prefix/bin/vistral" projects)
[ "$out" = "Base" ] || { echo "installed vistral projects gave: $out" >&2; exit 1; }
[ -f "$prefix/userdata/vistral/My Profiles/Base.rpf" ] || { echo "no user copy of the program folder" >&2; exit 1; }
echo "install layout ok"
