#!/usr/bin/env bash
# package_depends.sh BUILD_DIR
# Builds the Debian package of the build with cpack into a scratch folder and
# checks its Depends line: the Qt 6 libraries the windows need are there, and
# no package is named twice (a hand-written list beside the one dpkg-shlibdeps
# works out from the programs gave each Qt library two entries). Exits 77,
# counted as skipped, where dpkg-shlibdeps or dpkg-deb is missing.
set -u

build=$1
for tool in dpkg-shlibdeps dpkg-deb; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed (Debian: apt-get install dpkg-dev)"
        exit 77
    fi
done

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
if ! cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" >"$out/cpack.log" 2>&1; then
    cat "$out/cpack.log"
    echo "cpack failed: build every target first."
    exit 1
fi
depends=$(dpkg-deb -f "$out"/ondal_*.deb Depends)
echo "Depends: $depends"

status=0
names=$(echo "$depends" | tr ',|' '\n' | sed -e 's/(.*)//' -e 's/[[:space:]]//g' | grep -v '^$')
twice=$(echo "$names" | sort | uniq -d)
if [ -n "$twice" ]; then
    echo "named more than once: ${twice//$'\n'/ }"
    status=1
fi
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6; do
    if ! echo "$names" | grep -qx "$library"; then
        echo "missing: $library"
        status=1
    fi
done
exit $status
