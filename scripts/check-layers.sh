#!/usr/bin/env bash
# Fails when a source file includes a header from a higher floor of the house,
# or when code outside gui/ and app/ includes a Qt Widgets header.
# Floors, ground floor first (the Layout table of docs/developer-guide.md); a folder may include
# from its own floor and below.
set -euo pipefail
cd "$(dirname "$0")/.."

floor_of() {
  case "$1" in
    data/*) echo 0 ;;
    settings/*) echo 1 ;;
    export/*) echo 2 ;;
    chart/qt/*) echo 4 ;;
    chart/*) echo 3 ;;
    session/* | python/*) echo 5 ;;
    print/* | platform/*) echo 6 ;;
    gui/common/*) echo 7 ;;
    gui/*) echo 8 ;;
    app/*) echo 9 ;;
    tools/*) echo 10 ;;
    *) echo "" ;;
  esac
}

# The headers of Qt Widgets: the installed module's own list when Qt is
# there, else the classes that could slip in by accident.
widgets_dir=$(ls -d /usr/include/*/qt6/QtWidgets 2>/dev/null | head -1 || true)
if [ -n "$widgets_dir" ]; then
  widgets=$(ls "$widgets_dir" | grep -v '\.h$' | paste -sd'|')
else
  widgets='QWidget|QApplication|QDialog|QMainWindow|QLabel|QPushButton|QLineEdit|QCheckBox|QRadioButton|QComboBox|QMenu|QMenuBar|QToolBar|QStatusBar|QBoxLayout|QHBoxLayout|QVBoxLayout|QGridLayout|QGroupBox|QTabWidget|QFrame|QScrollArea|QMessageBox|QFileDialog|QColorDialog|QStyle'
fi
widgets="$widgets|QtWidgets|QPrintDialog|QPrintPreviewDialog|QPrintPreviewWidget|QPageSetupDialog|QAbstractPrintDialog"

status=0
while IFS= read -r file; do
  own=$(floor_of "$file")
  [ -z "$own" ] && continue
  while IFS= read -r inc; do
    other=$(floor_of "$inc")
    [ -z "$other" ] && continue
    if [ "$other" -gt "$own" ]; then
      echo "$file includes $inc from a higher floor"
      status=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
  case "$file" in
    gui/* | app/*) ;;
    *)
      if grep -EHn "^[[:space:]]*#[[:space:]]*include[[:space:]]*<(QtWidgets/)?($widgets)(\.h)?>" "$file"; then
        echo "$file: a widget header outside gui/ and app/"
        status=1
      fi
      ;;
  esac
done < <(git ls-files '*.cpp' '*.h' ':!:tests/*' ':!:bench/*' ':!:fuzz/*')
[ "$status" -eq 0 ] && echo "layer check: ok"
exit "$status"
