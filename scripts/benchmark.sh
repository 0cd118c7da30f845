#!/usr/bin/env bash
# Times the session tools in a sandboxed session, each run in turn with a bare
# QApplication start and exit, and counts what one theme switch writes.
#
#   PEXO_BUILD_DIR (default build): the Release build to install and time
#   PEXO_BENCH_RUNS (default 21):   timed runs of each command and of the bare start
#   PEXO_BASELINE_DIR (optional):   another Release build, already built, whose
#                                   programs are timed beside the same commands
#                                   instead of the bare start
#
# Each row gives the median of the command, the median of the bare starts (or
# of the baseline's runs of the command) run beside it, and the median of the
# ratios of the two, pair by pair. When
# plasma-apply-colorscheme is installed (Debian's plasma-workspace, not needed
# otherwise), it is timed switching the same two schemes as pexo-admin-theme.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${PEXO_BUILD_DIR:-build}
case $build in /*) ;; *) build=$PWD/$build ;; esac
runs=${PEXO_BENCH_RUNS:-21}
baseline=${PEXO_BASELINE_DIR:-}

if [ "${1:-}" != --inside ]; then
    ./scripts/deps.sh
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" -j"$(nproc)" >/dev/null
    exec autotests/sandbox/pexo-sandbox --listener "$build/bin/pexo-wm-listen" --bin-dir "$build/bin" --writable "$build" \
        -- "$BASH" "$0" --inside "$build" "$runs" "$baseline"
fi

build=$2
runs=$3
baseline=${4:+$(readlink -f -- "$4")}
stage=$PEXO_SANDBOX/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
cp -r "$stage/usr/share/." /usr/share/
for program in killall pexo-vkbd xrdb; do
    printf '#!/bin/sh\n' >/usr/bin/$program
    chmod +x /usr/bin/$program
done

themes=$HOME/.local/share/pexothemes
live=$XDG_CONFIG_HOME/pexo/session/current.themerc
schemes=/usr/share/color-schemes
work=$PEXO_SANDBOX/bench
mkdir -p "$work"

# Microseconds taken by a command, run through eval.
elapsed() {
    local start end
    start=${EPOCHREALTIME/./}
    eval "$1" >/dev/null 2>&1 || true
    end=${EPOCHREALTIME/./}
    echo $((end - start))
}

# The median of the numbers read, with the given decimals (default 1).
median() {
    sort -n | awk -v d="${1:-1}" '{ a[NR] = $1 } END { printf "%.*f", d, a[int((NR + 1) / 2)] }'
}

# The command as the baseline's programs run it.
on_baseline() {
    echo "PATH=$baseline/bin:\$PATH; $1"
}

# One row: the command's setup (not timed) and the command, each run paired
# with a bare start, or with the baseline's run of the same command. Which of
# a pair runs first alternates, so that neither always meets what the setup
# left to the file system.
row() {
    local label=$1 setup=$2 command=$3 a b i other
    local times=() bares=() ratios=()
    if [ -n "$baseline" ]; then
        other=$(on_baseline "$command")
    else
        other=qappstartexit
    fi
    for _ in 1 2; do
        eval "$setup"
        elapsed "$command" >/dev/null
    done
    for i in $(seq "$runs"); do
        if [ $((i % 2)) = 1 ]; then
            eval "$setup"
            a=$(elapsed "$command")
            eval "$setup"
            b=$(elapsed "$other")
        else
            eval "$setup"
            b=$(elapsed "$other")
            eval "$setup"
            a=$(elapsed "$command")
        fi
        times+=("$a")
        bares+=("$b")
        ratios+=("$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.3f", a / b }')")
    done
    printf '  %-60s %8s %8s %7s\n' "$label" \
        "$(printf '%s\n' "${times[@]}" | awk '{ print $1 / 1000 }' | median)" \
        "$(printf '%s\n' "${bares[@]}" | awk '{ print $1 / 1000 }' | median)" \
        "$(printf '%s\n' "${ratios[@]}" | median 2)"
}

# Exactly n user themes Bench1 .. Bench<n>, with more settings lines when given.
make_themes() {
    rm -rf "$themes"
    for i in $(seq "$1"); do
        mkdir -p "$themes/Bench$i/theme"
        printf '[Pexo Theme]\nId=Bench%s\nName=Bench %s\n' "$i" "$i" >"$themes/Bench$i/index.theme"
        printf '[Variables]\nIconTheme=bench-%s\n%b' "$i" "${2:-}" >"$themes/Bench$i/theme/themerc"
    done
}

# Each call flips between the two given words.
flip() {
    local last
    last=$(cat "$work/flip" 2>/dev/null || true)
    if [ "$last" = "$1" ]; then echo "$2"; else echo "$1"; fi | tee "$work/flip"
}

reset_search() {
    rm -rf "$themes/Custom" "$XDG_CONFIG_HOME/pexo-admin-themerc"
    printf '[Variables]\nIconTheme=nobody-has-this\n' >"$live"
}

if [ -n "$baseline" ]; then
    echo "median of $runs runs: command ms, baseline's command ms, ratio (median of the pairs)"
else
    echo "median of $runs runs: command ms, bare start ms, ratio (median of the pairs)"
fi

pexo-sync-user-theme
row "pexo-sync-user-theme, live settings already equal" : pexo-sync-user-theme
row "pexo-set-theme, switching between two themes" 'to=$(flip UlvarTornelDark UlvarTornelLight)' 'pexo-set-theme "$to"'

# The scheme goes into a writable user theme.
mkdir -p "$themes/Bench/theme"
cp /usr/share/pexothemes/UlvarTornelLight/theme/themerc "$themes/Bench/theme/"
printf '[Pexo Theme]\nId=Bench\nName=Bench\n' >"$themes/Bench/index.theme"
pexo-set-theme Bench
row "pexo-admin-theme, switching between two schemes" 'to=$(flip UlvarDark UlvarLight)' 'pexo-admin-theme - "$schemes/$to.colors"'
if command -v plasma-apply-colorscheme >/dev/null; then
    row "plasma-apply-colorscheme, the same two schemes" 'to=$(flip UlvarDark UlvarLight)' 'plasma-apply-colorscheme "$to"'
fi
rm -rf "$themes/Bench"

for n in 10 100 1000; do
    make_themes "$n"
    row "pexo-sync-user-theme, searching $n user themes" reset_search pexo-sync-user-theme
done
# Themes saved from the live settings that differ from them in the wallpaper
# alone: nothing in their files rules them out, each is read in full.
make_themes 1000
reset_search
pexo-sync-user-theme >/dev/null 2>&1
for i in $(seq 1000); do
    { grep -v '^WallPaper=' "$themes/Custom/theme/themerc"; echo 'WallPaper=/nowhere/wallpaper.jpg'; } >"$themes/Bench$i/theme/themerc"
done
row "pexo-sync-user-theme, searching 1000 themes read in full" reset_search pexo-sync-user-theme
for n in 10 100 1000; do
    make_themes "$n"
    row "theme list of $n user themes (pexo-set-theme, no such id)" : 'pexo-set-theme NoSuchTheme'
done

# Opening a settings page: the host creates the module (which builds its own
# theme registry) and loads it.
for n in 10 1000; do
    make_themes "$n"
    row "open the taskbar page, $n user themes" : 'ulvar-systemsettings kcm_pexo_taskbar --needs-save'
done

# The theme page: the host's steps, then a window with a thumbnail for each
# visible row. Beside the process time, the page's own times to its first
# frame and to the decoded wallpapers shown (medians of the printed values).
make_themes 200 'WallPaper=/usr/share/wallpapers/pexo-default-dark.jpg\nColorScheme=/usr/share/color-schemes/UlvarDark.colors\n'
row "open the theme page with 200 themes, 12 thumbnails shown" : themepageopen
frames=$(for _ in $(seq "$runs"); do themepageopen 2>/dev/null; done)
printed_median() {
    sed -n "s/.*$1 \([0-9]*\) ms.*/\1/p" <<<"$frames" | median
}
echo "    inside it, first frame / visible wallpapers shown (ms): $(printed_median "first frame") / $(printed_median "wallpapers shown")"

make_themes 0
reset_search
pexo-set-theme UlvarTornelLight >/dev/null 2>&1

# Flushes to disk (fsync, fdatasync) of a command, after its setup: the
# build's, and the baseline's beside it.
flushes() {
    local setup=$1 command=$2 counts
    eval "$setup"
    strace -f -qq -o "$work/flushes" -e trace=fsync,fdatasync "$BASH" -c "$command" >/dev/null 2>&1 || true
    counts=$(grep -cE 'f(data)?sync\(' "$work/flushes" || true)
    if [ -n "$baseline" ]; then
        eval "$setup"
        strace -f -qq -o "$work/flushes" -e trace=fsync,fdatasync "$BASH" -c "$(on_baseline "$command")" >/dev/null 2>&1 || true
        counts="$counts (baseline $(grep -cE 'f(data)?sync\(' "$work/flushes" || true))"
    fi
    echo "$counts"
}

# What one switch writes: files replaced (renamed into place) or truncated
# in place, per file, and the flushes to disk.
if command -v strace >/dev/null; then
    pexo-set-theme UlvarTornelDark >/dev/null 2>&1
    strace -f -qq -o "$work/trace" -e trace=openat,rename,renameat,renameat2,fsync,fdatasync pexo-set-theme UlvarTornelLight >/dev/null 2>&1
    echo "files written by one switch (pexo-set-theme UlvarTornelDark to UlvarTornelLight):"
    sed -nE -e 's/.*rename(at2?)?\((AT_FDCWD, )?"[^"]*", (AT_FDCWD, )?"([^"]*)".*/\4/p' \
        -e 's/.*openat\(AT_FDCWD, "([^"]*)", [^)]*O_TRUNC.*/\1/p' "$work/trace" |
        sed "s|^$HOME/||" | sort | uniq -c | awk '{ printf "  %3d  %s\n", $1, $2 }'
    echo "flushes to disk (fsync, fdatasync):"
    echo "  one switch: $(flushes 'pexo-set-theme UlvarTornelDark >/dev/null 2>&1' 'pexo-set-theme UlvarTornelLight')"
    make_themes 10
    echo "  the session sync saving the live settings as a new theme: $(flushes reset_search pexo-sync-user-theme)"
fi
