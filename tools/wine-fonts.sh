#!/usr/bin/env bash
# Font links for a Wine prefix (see tools/wine-fonts.reg): puts the fonts the
# links name into the prefix's Fonts folder, under the names Wine's own links
# use, and prints the registry data for the prefix's settings import.
#   wine-fonts.sh FONTS_DIR >> SETTINGS.reg
set -euo pipefail
fonts=$1
here=$(cd "$(dirname "$0")" && pwd)
link() {  # link NAME FILE PACKAGE
  if [ -f "$2" ]; then ln -sfn "$2" "$fonts/$1"
  else echo "wine-fonts: $2 is missing (package $3): its scripts will show as boxes" >&2; fi
}
link MSGOTHIC.TTC /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf fonts-dejavu-core
link SIMSUN.TTC /usr/share/fonts/truetype/wqy/wqy-microhei.ttc fonts-wqy-microhei
printf '\n'
sed 1d "$here/wine-fonts.reg"  # past its REGEDIT4 header
