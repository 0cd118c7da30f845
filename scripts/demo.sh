#!/usr/bin/env bash
# Builds the project and shows its main job on the shipped sample data, in a
# throw-away sandboxed session: a new user theme made from the live settings,
# a theme switch and a colour scheme applied, with what each step changed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${PEXO_BUILD_DIR:-build}
case $build in /*) ;; *) build=$PWD/$build ;; esac

if [ "${1:-}" != --inside ]; then
    ./scripts/deps.sh
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
    cmake --build "$build" -j"$(nproc)" >/dev/null
    exec autotests/sandbox/pexo-sandbox --listener "$build/bin/pexo-wm-listen" --bin-dir "$build/bin" \
        --writable "$build" -- "$BASH" "$0" --inside "$build"
fi

build=$2
# The sample themes, schemes and wallpapers go into the sandbox's overlay of /usr/share.
stage=$PEXO_SANDBOX/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
cp -r "$stage/usr/share/." /usr/share/

# The taskbar and the virtual keyboard are not here: note what they are told.
for program in killall pexo-vkbd; do
    printf '#!/bin/sh\necho "$0 $*" >>"$PEXO_SANDBOX/shell.log"\n' >/usr/bin/$program
    chmod +x /usr/bin/$program
done
: >"$PEXO_SANDBOX/shell.log"
shell_seen=0

session=${XDG_CONFIG_HOME}/pexo/session
palette=${XDG_CONFIG_HOME}/pexo/paletterc
record=${XDG_CONFIG_HOME}/pexo-admin-themerc
snap=$PEXO_SANDBOX/snap
mkdir -p "$snap"
wm_seen=0

snapshot() {
    for f in "$session/current.themerc" "$palette" "$record"; do
        cp "$f" "$snap/$(basename "$f")" 2>/dev/null || : >"$snap/$(basename "$f")"
    done
}

show() {
    echo
    echo "== $1"
    echo "-- window-manager commands received:"
    tail -n +"$((wm_seen + 1))" "$PEXO_TEST_WM_LOG" | sed 's/^/   /'
    wm_seen=$(wc -l <"$PEXO_TEST_WM_LOG")
    if [ "$(wc -l <"$PEXO_SANDBOX/shell.log")" -gt "$shell_seen" ]; then
        echo "-- programs run:"
        tail -n +"$((shell_seen + 1))" "$PEXO_SANDBOX/shell.log" | sed 's/^/   /'
        shell_seen=$(wc -l <"$PEXO_SANDBOX/shell.log")
    fi
    for f in "$record" "$palette" "$session/current.themerc"; do
        local name
        name=$(basename "$f")
        if [ -f "$f" ] && ! cmp -s "$snap/$name" "$f"; then
            echo "-- changed keys in $name:"
            diff <(sort "$snap/$name") <(sort "$f") | sed -n 's/^> /   /p' || true
        fi
    done
    snapshot
}

run() {
    echo
    echo "\$ $*"
    "$@" || echo "   (exit code $?)"
}

snapshot
echo "A sandboxed session: HOME=$HOME DISPLAY=$DISPLAY"
echo "Installed themes:"; ls /usr/share/pexothemes | sed 's/^/   /'

run pexo-sync-user-theme
show "the live settings brought into line with the current theme"

run pexo-set-theme UlvarTornelDark
show "the dark theme selected"

sed -n 's/^CurrentTheme=/current theme recorded: /p' "$record"

run pexo-admin-theme - /usr/share/color-schemes/UlvarLight.colors
show "a colour scheme applied to the live settings and saved into the current theme"
