# Sourced by play.sh and test.sh: installs what is missing from Debian's packages, then configures
# and builds the game into build/ with its stage folder build/stage/.

PACKAGES=(build-essential cmake pkg-config ninja-build
          freeglut3-dev libglew-dev libglu1-mesa-dev libgl-dev libgl1-mesa-dri libx11-dev
          libdevil-dev libbullet-dev libgtest-dev nlohmann-json3-dev xvfb xauth)

# install_missing_packages [PACKAGE...]: the PACKAGES above and any named.
install_missing_packages() {
    local missing=()
    for package in "${PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
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
