# Sourced by run.sh and test.sh: installs the Debian packages the project needs
# when any is missing (with sudo when not root).
VQR_PACKAGES="cmake g++ make pkg-config qt6-base-dev qt6-svg-dev qt6-qpa-plugins qt6-translations-l10n \
libxlsxwriter-dev libjpeg62-turbo-dev libpng-dev zlib1g-dev fonts-liberation2 googletest \
libbenchmark-dev libgl-dev"
VQR_GUI_CHECK_PACKAGES="xvfb xauth x11-utils xdotool imagemagick poppler-utils python3-openpyxl"

vqr_missing_packages() {
  local missing="" p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  echo "$missing"
}

vqr_ensure_packages() {
  local missing
  missing=$(vqr_missing_packages "$@")
  [ -z "$missing" ] && return 0
  echo "Installing:$missing"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}
