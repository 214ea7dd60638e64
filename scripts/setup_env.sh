# Installs the tools the build, the tests and the demo need, when any is missing.
# Sourced by scripts/test.sh and scripts/demo.sh.

BRISOLT_PACKAGES=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev
    mingw-w64 g++-mingw-w64-x86-64-posix wine wine64 xvfb xdotool imagemagick fonts-wine
    clang libclang-rt-14-dev)

brisolt_missing_packages() {
    local p
    for p in "${BRISOLT_PACKAGES[@]}"; do
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
