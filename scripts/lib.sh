# Shared by scripts/run and scripts/test: installs what is missing, then
# configures and builds one build folder. Source it; do not run it.

ONDAL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Packages every build needs.
ONDAL_BUILD_PACKAGES=(g++ cmake ninja-build qt6-base-dev qt6-qpa-plugins)

# ensure_packages PKG...: installs the packages that are not installed yet,
# with one apt-get update first, and nothing at all when none is missing.
ensure_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    # Another package manager at work (an unattended upgrade) holds the lock
    # for a while on a fresh machine: wait for it rather than fail.
    local wait=(-o DPkg::Lock::Timeout=600)
    "${sudo[@]}" apt-get "${wait[@]}" update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "${wait[@]}" install -y -qq \
        --no-install-recommends "${missing[@]}"
}

# build_tree DIR [CMAKE ARGS...]: configures DIR, then builds it. The
# configure step runs every time, so a changed -D option always takes
# effect; on a configured tree it only checks and takes a second.
build_tree() {
    local dir=$1
    shift
    cmake -S "$ONDAL_ROOT" -B "$ONDAL_ROOT/$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$ONDAL_ROOT/$dir"
}
