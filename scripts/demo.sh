#!/usr/bin/env bash
# Builds the project and shows the five tools on the shipped sample data, in a
# throw-away sandboxed session: session start, a system theme selected, a
# colour scheme refused on that read-only theme, a user theme saved by the
# session sync, the colour scheme saved into it, and an export and import
# round trip into a fresh home. Each step prints what it changed.
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

# The taskbar and the virtual keyboard are not here: stand-ins that do nothing.
for program in killall pexo-vkbd; do
    printf '#!/bin/sh\nexit 0\n' >/usr/bin/$program
    chmod +x /usr/bin/$program
done
cd "$HOME"

# The keys a theme stores; the live settings also hold colours derived from
# them, which are only counted.
theme_keys=" CurrentTheme CurrentThemePath Id Name Comment X-Ulvar-System-Theme "
theme_keys+=$(sed -n 's/^\([A-Za-z]*\)=.*/\1 /p' /usr/share/pexothemes/UlvarTornelDark/theme/themerc | tr -d '\n')
snap=$PEXO_SANDBOX/snap
wm_seen=0
declare -A wm_last=()

snapshot() {
    rm -rf "$snap"
    mkdir -p "$snap"
    cp -a "$HOME/." "$snap/"
}

# "Key: old -> new" for each stored key whose value changed from file $1 to $2.
changed_keys() {
    awk -v keys="$theme_keys" '
        FNR == NR { if (i = index($0, "=")) old[substr($0, 1, i - 1)] = substr($0, i + 1); next }
        (i = index($0, "=")) {
            k = substr($0, 1, i - 1); v = substr($0, i + 1)
            if ((k in old) && old[k] == v) next
            if (index(keys, " " k " ")) printf "      %s: %s -> %s\n", k, (k in old) ? old[k] : "(none)", v
            else derived++
        }
        END { if (derived) printf "      and %d derived colour keys\n", derived }' "$1" "$2"
}

# What the last command changed: the window-manager commands that sent a new
# value, the files created and the keys changed under $HOME.
show() {
    local total=0 first=0 news=() line key value
    while IFS= read -r line; do
        total=$((total + 1))
        read -r _ key value <<<"$line"
        if [ -z "${wm_last[$key]+set}" ]; then
            first=$((first + 1))
        elif [ "${wm_last[$key]}" != "$value" ]; then
            news+=("$line")
        fi
        wm_last[$key]=$value
    done < <(tail -n +"$((wm_seen + 1))" "$PEXO_TEST_WM_LOG")
    wm_seen=$(wc -l <"$PEXO_TEST_WM_LOG")
    if [ "$total" -gt 0 ] && [ "$first" -eq "$total" ]; then
        echo "   window manager: $total commands, every theme value sent for the first time"
    elif [ "$total" -gt 0 ]; then
        echo "   window manager: $total commands, ${#news[@]} with a new value:"
        for line in "${news[@]}"; do echo "      $line"; done
    fi

    local created=() changed=() f
    while IFS= read -r f; do
        # The applied note holds digests for the next sync, no settings.
        case $f in .cache/* | .config/Trolltech.conf | .config/breezerc | .config/pexo/session/.theme-applied*) continue ;; esac
        if [ ! -e "$snap/$f" ]; then
            created+=("$f")
        elif ! cmp -s "$snap/$f" "$f"; then
            changed+=("$f")
        fi
    done < <(find . -type f -printf '%P\n' | sort)
    [ "${#created[@]}" -eq 0 ] || printf '   file created: ~/%s\n' "${created[@]}"
    for f in "${changed[@]}"; do
        echo "   changed in ~/$f:"
        changed_keys "$snap/$f" "$f" | short
    done
    [ "$total" -gt 0 ] || [ "${#created[@]}" -gt 0 ] || [ "${#changed[@]}" -gt 0 ] || echo "   nothing changed"
    snapshot
}

step() {
    echo
    echo "== $*"
}

# Paths below the home directory and the sandbox, shortened.
short() {
    sed "s|$HOME/|~/|g; s|$PEXO_SANDBOX/|\$PEXO_SANDBOX/|g"
}

# Runs a tool and shows its messages and a non-zero exit code (kept in $code).
run() {
    echo "\$ $*" | short
    local out
    code=0
    out=$("$@" 2>&1) || code=$?
    [ -z "$out" ] || printf '%s\n' "$out" | short | sed 's/^/   | /'
    [ "$code" -eq 0 ] || echo "   exit code $code"
}

current() {
    echo "   current theme: $(sed -n 's/^CurrentTheme=//p' "$XDG_CONFIG_HOME/pexo-admin-themerc")"
}

live=$XDG_CONFIG_HOME/pexo/session/current.themerc
light_scheme=/usr/share/color-schemes/UlvarLight.colors

echo "A sandboxed session: PEXO_SANDBOX=$PEXO_SANDBOX HOME=$HOME DISPLAY=$DISPLAY" | short
for index in /usr/share/pexothemes/*/index.theme; do
    echo "   system theme $(sed -n 's/^Id=//p' "$index"), read-only: $(sed -n 's/^X-Ulvar-System-Theme=//p' "$index")"
done
snapshot

step "1. Session start: the live settings follow the default theme"
run pexo-sync-user-theme
show

step "2. A system theme selected"
run pexo-set-theme UlvarTornelDark
show
current

step "3. A colour scheme for the read-only system theme is refused"
run pexo-admin-theme - "$light_scheme"
show

step "4. The live settings changed outside any theme; the session sync saves them as a user theme"
echo "\$ (the live wallpaper set to the light one in $live)" | short
sed -i 's|^WallPaper=.*|WallPaper=/usr/share/wallpapers/pexo-default-light.jpg|' "$live"
snapshot
run pexo-sync-user-theme
show
current

step "5. The colour scheme is now saved into the user theme"
run pexo-admin-theme - "$light_scheme"
show

step "6. The user theme exported"
archive=$PEXO_SANDBOX/Custom.tar.gz
run pexo-export-theme "$HOME/.local/share/pexothemes/Custom/index.theme" "$archive"
parts=(wallpaper logo "colour scheme" "cursor theme" "icon theme")
for bit in 0 1 2 3 4; do
    [ $((code >> bit & 1)) -eq 0 ] || echo "   left out: the ${parts[bit]} (not installed here)"
done
tar -tzf "$archive" | grep -v '/$' | sed 's/^/   archive holds: /'

step "7. Imported into a fresh home and selected there"
export HOME=$PEXO_SANDBOX/home2 XDG_CONFIG_HOME=$PEXO_SANDBOX/home2/.config
export XDG_DATA_HOME=$PEXO_SANDBOX/home2/.local/share XDG_CACHE_HOME=$PEXO_SANDBOX/home2/.cache
mkdir -p "$HOME"
cd "$HOME"
snapshot
wm_last=()
echo "A second home: HOME=$HOME" | short
run pexo-import-theme "$archive"
show
run pexo-set-theme Custom
show
current
sed -n 's/^ColorScheme=/   live colour scheme: /p' "$XDG_CONFIG_HOME/pexo/paletterc"
sed -n 's/^WallPaper=/   live wallpaper: /p' "$XDG_CONFIG_HOME/pexo/session/current.themerc"
