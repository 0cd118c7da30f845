#!/bin/sh
# pexo-stand-in: a stand-in for the desktop's SVG converter.
#
#   pexo-svg2png.sh WIDTH HEIGHT SOURCE TARGET
#
# Renders the SVG picture SOURCE, stretched to WIDTH x HEIGHT pixels over
# white, into the PNG file TARGET. Exits 0 when the PNG is written; otherwise
# it explains on standard error and exits non-zero.

if [ $# -ne 4 ]; then
    echo "usage: pexo-svg2png.sh WIDTH HEIGHT SOURCE TARGET" >&2
    exit 2
fi
exec pexo-svg-render "$@"
