# Sourced by run.sh and test.sh: installs the Debian packages the project needs
# when any is missing (with sudo when not root).
VQR_PACKAGES="cmake g++ make pkg-config qt6-base-dev qt6-svg-dev qt6-qpa-plugins qt6-translations-l10n \
qt6-l10n-tools qt6-tools-dev \
libjpeg62-turbo-dev libpng-dev zlib1g-dev fonts-liberation2 googletest \
libbenchmark-dev libgl-dev libicu-dev libcups2-dev pybind11-dev python3-dev nlohmann-json3-dev"
VQR_GUI_CHECK_PACKAGES="xvfb xauth x11-utils xdotool imagemagick poppler-utils python3-openpyxl"
# The print tests run their own cupsd with a cups-pdf queue.
VQR_PRINT_CHECK_PACKAGES="cups printer-driver-cups-pdf"
# The Python module's tests (Debian's interpreter, /usr/bin/python3).
VQR_PYTHON_CHECK_PACKAGES="python3-numpy python3-pandas python3-pytest"
# The Debian package (scripts/package.sh): shlibdeps, desktop entry and
# AppStream checks, man, and the file type's check (update-mime-database, gio,
# xmllint).
VQR_PACKAGING_PACKAGES="dpkg-dev file desktop-file-utils appstream man-db shared-mime-info \
libglib2.0-bin libxml2-utils"

# LibreOffice Calc for the spreadsheet export and its SDK to build the backend.
# The tests need no GUI (libreoffice-calc-nogui); the program installs Calc
# with its GUI. The two conflict: a GUI Calc already there serves the tests.
vqr_calc_packages() {
  local kind="$1"  # gui or nogui
  if [ "$kind" = gui ] || dpkg-query -W -f='${Status}' libreoffice-calc 2>/dev/null |
    grep -q "install ok installed"; then
    echo "libreoffice-calc libreoffice-dev"
  else
    echo "libreoffice-calc-nogui libreoffice-dev"
  fi
}

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

# The tests run the settings cycle under the users' German locale.
vqr_ensure_locale() {
  local want="$1"  # e.g. de_DE.UTF-8
  local norm
  norm=$(echo "$want" | sed 's/UTF-8/utf8/')
  locale -a 2>/dev/null | grep -qx -e "$want" -e "$norm" && return 0
  vqr_ensure_packages locales
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  if grep -q "^# *$want UTF-8" /etc/locale.gen; then
    $sudo sed -i "s/^# *\($want UTF-8\)/\1/" /etc/locale.gen
  elif ! grep -q "^$want UTF-8" /etc/locale.gen; then
    echo "$want UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen >/dev/null
}
