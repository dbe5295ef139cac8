# Shared by scripts/run, scripts/test and scripts/bench: packages and build.
set -euo pipefail

RAIZ="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$RAIZ/build}"

PACOTES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libqt6svg6
    libsqlcipher-dev sqlcipher
    fonts-liberation xvfb xauth at-spi2-core poppler-utils
    adwaita-icon-theme desktop-file-utils
    libargon2-dev libical-dev
)

instalar_pacotes() {
    local faltando=()
    for p in "${PACOTES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            faltando+=("$p")
        fi
    done
    [ ${#faltando[@]} -eq 0 ] && return 0
    echo "Instalando: ${faltando[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${faltando[@]}"
}

compilar() {
    if [ ! -f "$BUILD/build.ninja" ]; then
        cmake -S "$RAIZ" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    fi
    cmake --build "$BUILD" -j "$(nproc)"
}
