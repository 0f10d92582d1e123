# Sourced by play.sh, test.sh and the other scripts: installs what is missing from Debian's
# packages, then configures and builds the game (into build/ unless told otherwise), whose stage
# folder is FOLDER/stage/.

# What building and playing the game needs, and what its tests need besides.
GAME_PACKAGES=(build-essential cmake pkg-config ninja-build
               freeglut3-dev libglew-dev libglu1-mesa-dev libgl-dev libgl1-mesa-dri libx11-dev
               libdevil-dev libbullet-dev libopenal-dev)
TEST_PACKAGES=(libgtest-dev nlohmann-json3-dev xvfb xauth)

# install_missing_packages [PACKAGE...]: the game's and the tests' packages and any named.
install_missing_packages() {
    install_missing "${GAME_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "$@"
}

# install_missing PACKAGE...: those of the packages that are not installed yet, after saying which.
install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "These Debian packages are missing and are about to be installed${sudo:+ with sudo}:"
    echo "  ${missing[*]}"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# build_game [FOLDER [CMAKE OPTION...]]: the game in FOLDER (build/ by default).
build_game() {
    local folder="${1:-build}"
    shift || true
    cmake -S . -B "$folder" -G Ninja "$@" >/dev/null
    cmake --build "$folder" -j2
}
