#!/usr/bin/env bash
# install_tree.sh BUILD_DIR INSTALLED_PATH...
# Installs the build with `cmake --install` under a scratch DESTDIR (so
# nothing reaches the real /usr or /etc, whatever prefix the build has) and
# checks that every listed absolute path landed there, so a lost install rule
# shows up here rather than in a package without its menu entry or icon.
set -u

build=$1
shift
destdir=$(mktemp -d)
trap 'rm -rf "$destdir"' EXIT

if ! DESTDIR="$destdir" cmake --install "$build" >"$destdir/install.log" 2>&1; then
    cat "$destdir/install.log"
    echo "cmake --install failed: build every target first."
    exit 1
fi

status=0
for path in "$@"; do
    if [ -f "$destdir$path" ]; then
        echo "installed: $path"
    else
        echo "MISSING:   $path"
        status=1
    fi
done
exit $status
