# Installs the Debian packages named in the arguments that are not installed yet.
# Uses sudo when not running as root.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    # Another package manager at work (an automatic upgrade, a second test run) holds apt's locks
    # for a while: wait up to five minutes for them instead of failing at once.
    local wait_for_locks=(-o DPkg::Lock::Timeout=300)
    "${sudo[@]}" apt-get "${wait_for_locks[@]}" update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get "${wait_for_locks[@]}" install -y -qq \
        --no-install-recommends "${missing[@]}"
}

# What building and running the game needs (qt6-translations-l10n: Qt's own dialogs and buttons in
# the game's language). Our scripts build with Ninja; the README's install section uses CMake's
# default generator, Make, which cmake only recommends.
BUILD_PACKAGES=(
    g++ cmake ninja-build make pkg-config
    qt6-base-dev qt6-qpa-plugins qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    libsdl2-dev libfontconfig-dev libsqlite3-dev libx11-dev libxcb1-dev
    fonts-ipafont-gothic fonts-ipafont-mincho fonts-noto-cjk fonts-liberation2 fontconfig
    xdg-utils
)

# What the tests need on top: GoogleTest, the format check, a locale source with a decimal
# comma, a virtual screen with a window manager, input and screenshots for the end-to-end tests
# (python3 and a session bus for their helpers), the check of the desktop entry, and ccache so that
# a second run recompiles only what changed.
TEST_PACKAGES=(
    googletest libgtest-dev clang-format locales
    xvfb xauth openbox xdotool x11-utils imagemagick python3 dbus-daemon
    desktop-file-utils ccache
)

# What the full run needs on top: clang with libFuzzer for the fuzz targets, and the
# accessibility bus with its Python client for the screen reader test.
FULL_TEST_PACKAGES=(
    clang libclang-rt-14-dev
    at-spi2-core python3-pyatspi
)

# What bench/run needs on top of the build: the virtual screen with a window manager and input,
# the X headers for its window watchers (map, damage, synthetic input), and gnuplot for the level
# chart.
BENCH_PACKAGES=(
    xvfb xauth openbox xdotool x11-utils imagemagick
    libx11-dev libxtst-dev libxdamage-dev
    gnuplot-nox
)

# What scripts/package needs on top of the build to make the Debian package (dpkg-shlibdeps and
# dpkg-buildflags, file for finding the programs), and what its check uses: lintian, the
# AppStream validator, the manual page reader.
PACKAGE_PACKAGES=(
    dpkg-dev file
    lintian appstream desktop-file-utils man-db
)
