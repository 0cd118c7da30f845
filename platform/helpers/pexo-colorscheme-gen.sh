#!/bin/sh
# pexo-stand-in: a stand-in for the desktop's colour-scheme generator.
#
#   pexo-colorscheme-gen.sh -d|-l IMAGE
#
# Writes a dark (-d) or light (-l) colour scheme whose accent is the image's
# average colour to ~/.local/share/color-schemes-generated/<image name>-
# generated-<dark|light>.colors and prints "RESULT=" and its path. On failure
# it explains on standard error and exits non-zero.

case ${1-} in
-d) mode=dark ;;
-l) mode=light ;;
*) echo "usage: pexo-colorscheme-gen.sh -d|-l IMAGE" >&2; exit 2 ;;
esac
image=${2-}
[ -f "$image" ] || { echo "pexo-colorscheme-gen.sh: no image at '$image'" >&2; exit 1; }
accent=$(pexo-image-color "$image") || exit 1

# Readable text on the accent: black on bright colours, else white.
IFS=, read -r r g b <<EOT
$accent
EOT
if [ $((r * 299 + g * 587 + b * 114)) -gt 150000 ]; then onaccent=0,0,0; else onaccent=255,255,255; fi

if [ $mode = dark ]; then
    window=42,46,50 view=35,38,41 header=49,54,59 text=239,240,241 inactive=161,169,177 line=70,76,82
else
    window=239,240,241 view=255,255,255 header=222,224,226 text=35,38,41 inactive=112,118,124 line=211,215,219
fi

dir=$HOME/.local/share/color-schemes-generated
scheme=$dir/$(basename "$image")-generated-$mode.colors
mkdir -p "$dir" || exit 1
{
    for group in Window Button Header; do
        printf '[Colors:%s]\nBackgroundNormal=%s\nBackgroundAlternate=%s\nForegroundNormal=%s\nForegroundInactive=%s\nDecorationFocus=%s\nDecorationHover=%s\n\n' \
            "$group" "$window" "$header" "$text" "$inactive" "$accent" "$accent"
    done
    printf '[Colors:View]\nBackgroundNormal=%s\nBackgroundAlternate=%s\nForegroundNormal=%s\nForegroundInactive=%s\nDecorationFocus=%s\nDecorationHover=%s\n\n' \
        "$view" "$window" "$text" "$inactive" "$accent" "$accent"
    printf '[Colors:Selection]\nBackgroundNormal=%s\nBackgroundAlternate=%s\nForegroundNormal=%s\nForegroundInactive=%s\n\n' \
        "$accent" "$accent" "$onaccent" "$onaccent"
    printf '[General]\nName=%s (%s)\n\n' "$(basename "$image")" "$mode"
    printf '[WM]\nactiveBackground=%s\nactiveBlend=%s\nactiveForeground=%s\n' "$accent" "$onaccent" "$onaccent"
    printf 'inactiveBackground=%s\ninactiveBlend=%s\ninactiveForeground=%s\n' "$header" "$inactive" "$inactive"
    printf 'activeWindowHeader=%s\nactiveWindowFrame=%s\ninactiveWindowHeader=%s\ninactiveWindowFrame=%s\n' "$accent" "$accent" "$header" "$line"
    # The window manager's colours agree with the palette's Highlight and Base.
    printf 'taskbarBackground=%s\ntaskbarBackgroundHover=%s\nbuttonOutlineHover=%s\nlineSeparator=%s\n' "$view" "$header" "$accent" "$line"
} > "$scheme" || exit 1
echo "RESULT=$scheme"
