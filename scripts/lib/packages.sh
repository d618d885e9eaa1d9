# Debian packages the build and the tests need; installed once, quickly skipped after.
MELTEMIX_PACKAGES=(
    cmake g++ clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
    libpugixml-dev nlohmann-json3-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 xvfb
    x11-utils imagemagick x11-apps e2fsprogs fonts-wine fonts-liberation python3 python3-pytest
    librsvg2-bin x11-xserver-utils iproute2 qemu-system-x86 debootstrap nsis locales 7zip
    # The soak reads the program's X resources through libXRes, which xrestop brings; xrestop
    # itself shows the same counts by hand.
    xrestop
)

ensure_packages() {
    local missing=()
    local package
    for package in "${MELTEMIX_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "packages missing and not root: ${missing[*]}" >&2
        return 1
    fi
    apt-get update -q >/dev/null &&
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
}
