#!/usr/bin/env bash
# Times the session tools in a sandboxed session and prints the medians (ms).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${PEXO_BUILD_DIR:-build}
case $build in /*) ;; *) build=$PWD/$build ;; esac
runs=${PEXO_BENCH_RUNS:-21}

if [ "${1:-}" != --inside ]; then
    ./scripts/deps.sh
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" -j"$(nproc)" >/dev/null
    exec autotests/sandbox/pexo-sandbox --listener "$build/bin/pexo-wm-listen" --bin-dir "$build/bin" --writable "$build" \
        -- "$BASH" "$0" --inside "$build"
fi

build=$2
stage=$PEXO_SANDBOX/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
cp -r "$stage/usr/share/." /usr/share/
for program in killall pexo-vkbd xrdb; do
    printf '#!/bin/sh\n' >/usr/bin/$program
    chmod +x /usr/bin/$program
done

# The median wall time of a command, in milliseconds; a setup command runs
# before each timed run.
median() {
    local setup=$1
    shift
    local times=()
    for _ in $(seq "$runs"); do
        eval "$setup"
        local start end
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1 || true
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "%.1f", a[int((NR + 1) / 2)] / 1000 }'
}

themes=$HOME/.local/share/pexothemes
live=$XDG_CONFIG_HOME/pexo/session/current.themerc

pexo-sync-user-theme
equal=$(median : pexo-sync-user-theme)

for i in $(seq 200); do
    mkdir -p "$themes/Bench$i/theme"
    printf '[Pexo Theme]\nId=Bench%s\nName=Bench %s\n' "$i" "$i" >"$themes/Bench$i/index.theme"
    printf '[Variables]\nIconTheme=bench-%s\n' "$i" >"$themes/Bench$i/theme/themerc"
done
reset_search() {
    rm -rf "$themes/Custom"
    rm -f "$XDG_CONFIG_HOME/pexo-admin-themerc"
    printf '[Variables]\nIconTheme=nobody-has-this\n' >"$live"
}
search=$(median reset_search pexo-sync-user-theme)

next=UlvarTornelDark
switch() {
    if [ "$next" = UlvarTornelDark ]; then next=UlvarTornelLight; else next=UlvarTornelDark; fi
}
set_theme() { pexo-set-theme "$next"; }
settheme=$(median switch set_theme)

bare=$(median : qappstartexit)

echo "median of $runs runs, milliseconds:"
echo "  pexo-sync-user-theme, live settings equal to the current theme: $equal"
echo "  pexo-sync-user-theme, 200 user themes searched, new theme made: $search"
echo "  pexo-set-theme, switching between two themes:                  $settheme"
echo "  bare QApplication start and exit:                              $bare"
