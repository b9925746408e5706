#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that the installed program finds its
# shipped folder and gives the user a copy of their own: usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/ranqor share/ranqor/engines/engines.txt share/ranqor/edata/Google.hdf share/ranqor/help/contents.html \
         share/applications/ranqor.desktop share/icons/hicolor/scalable/apps/ranqor.svg; do
    [ -e "$prefix/$f" ] || { echo "missing after install: $f" >&2; exit 1; }
done
[ -d "$prefix/share/ranqor/reports" ] || { echo "missing after install: share/ranqor/reports" >&2; exit 1; }

# A check run by the installed program reads the engine definitions from the user's copy: one the
# copy lacks is named there, and the check does not start.
export XDG_DATA_HOME="$prefix/userdata" ORLEK_SETTINGS="$prefix/settings.ini"
unset RANQOR_HOME
status=0
"$prefix/bin/ranqor" check --url http://www.example.com/ --term x --engines NoSuchEngine --timeout 1 \
    >/dev/null 2>"$prefix/err.txt" || status=$?
[ "$status" = 1 ] || { echo "installed ranqor check did not refuse ($status):" >&2; cat "$prefix/err.txt" >&2; exit 1; }
[ -f "$prefix/userdata/ranqor/engines/engines.txt" ] || { echo "no user copy of the program folder" >&2; exit 1; }
grep -q "Cannot read engine definition $prefix/userdata/ranqor/edata/NoSuchEngine.hdf" "$prefix/err.txt" \
    || { echo "the installed program did not use the user's copy:" >&2; cat "$prefix/err.txt" >&2; exit 1; }
echo "install layout ok"
