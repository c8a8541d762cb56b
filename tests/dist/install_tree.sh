#!/usr/bin/env bash
# install_tree.sh BUILD_DIR RELATIVE_PATH...
# Installs the build into a scratch prefix with `cmake --install` and checks
# that every listed file landed there, so a lost install rule shows up here
# rather than in a package with no menu entry or icon.
set -u

build=$1
shift
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

if ! cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
    cat "$prefix.log"
    rm -f "$prefix.log"
    exit 1
fi
rm -f "$prefix.log"

status=0
for path in "$@"; do
    if [ -f "$prefix/$path" ]; then
        echo "installed: $path"
    else
        echo "MISSING:   $path"
        status=1
    fi
done
exit $status
