# Installs the tools the build, the tests and the demo need, when any is missing,
# and checks that every outside program the scripts call is there.
# Sourced by scripts/test.sh and scripts/demo.sh.

# Every outside program a script of ours calls, with the Debian package that
# brings it. A script that starts calling another program adds it here; the
# packages are installed from this table, so the two never drift apart.
BRISOLT_PROGRAMS=(
    cmake:cmake ctest:cmake make:make g++:g++
    x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix
    x86_64-w64-mingw32-gcc-posix:gcc-mingw-w64-x86-64-posix
    x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64
    x86_64-w64-mingw32-objdump:binutils-mingw-w64-x86-64
    wine:wine wineserver:wine wineboot:wine
    Xvfb:xvfb xdotool:xdotool xwininfo:x11-utils trayer:trayer
    import:imagemagick compare:imagemagick
    clang:clang clang++:clang
    pgrep:procps unshare:util-linux mountpoint:util-linux timeout:coreutils iconv:libc-bin
    python3:python3 /usr/bin/python3:python3 fusermount:fuse
    pkill:procps flock:util-linux nice:coreutils
)

# Libraries, fonts and modules: no program of their own to look for.
BRISOLT_LIBRARY_PACKAGES=(wine64 libgtest-dev libgmock-dev libbenchmark-dev fonts-wine libclang-rt-14-dev python3-fusepy)

brisolt_packages() {
    local entry
    for entry in "${BRISOLT_PROGRAMS[@]}"; do echo "${entry##*:}"; done
    printf '%s\n' "${BRISOLT_LIBRARY_PACKAGES[@]}"
}

brisolt_missing_packages() {
    local p
    for p in $(brisolt_packages | sort -u); do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}

brisolt_install_packages() {
    local missing
    missing=$(brisolt_missing_packages | tr '\n' ' ')
    [[ -z ${missing// /} ]] && return 0
    echo "Installing: $missing"
    local sudo=
    ((EUID == 0)) || sudo=sudo
    $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}

# Names every outside program that cannot be found, with its package; fails
# when there is one. Run before any test, so a missing program stops the run at
# once instead of failing one test in the middle of it.
brisolt_check_programs() {
    local entry program missing=0
    for entry in "${BRISOLT_PROGRAMS[@]}"; do
        program=${entry%:*}
        if ! command -v "$program" >/dev/null 2>&1; then
            echo "missing program: $program (Debian package ${entry##*:})"
            missing=1
        fi
    done
    if ! /usr/bin/python3 -c 'import fusepy' >/dev/null 2>&1; then
        echo "missing Python module: fusepy for /usr/bin/python3 (Debian package python3-fusepy)"
        missing=1
    fi
    ((missing == 0))
}
