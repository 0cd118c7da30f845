#!/usr/bin/env -S -u BASH_ENV -u ENV -u POSIXLY_CORRECT -u SHELLOPTS -u BASHOPTS bash
#
# Checks pexo-sandbox from outside: status and stdio pass through, nothing
# reaches the real system directories or the rest of the file system, everything is torn down, signals stop it.
#
#   sandbox-outside-test.sh SANDBOX [OPTIONS...] --

set -u

[[ ${!#} == -- ]] || { echo "usage: $0 SANDBOX [OPTIONS...] --" >&2; exit 2; }
sandbox=("${@:1:$#-1}")
sandbox_path=$1

failures=0
passes=0
check() {
    local what=$1
    shift
    if "$@"; then
        passes=$((passes + 1))
    else
        echo "FAIL: $what" >&2
        failures=$((failures + 1))
    fi
}

work=$(mktemp -d /tmp/pexo-sandbox-outside.XXXXXXXX)
trap 'rm -rf "$work"' EXIT

gone() {
    [[ ! -e $1 ]]
}
process_gone() {
    ! kill -0 "$1" 2>/dev/null
}

# Status, standard input and output.
"${sandbox[@]}" -- sh -c 'exit 7'
check "the command's exit status comes back" test $? -eq 7
check "stdin and stdout pass through" test "$(echo through | "${sandbox[@]}" -- cat)" = through

# Writes to system directories stay inside, others fail; the directory and
# the X server go away.
probes=(/usr/share/pexo-sandbox-probe /etc/xdg/pexo-sandbox-probe /usr/bin/pexo-sandbox-probe /pexo-sandbox-probe /etc/pexo-sandbox-probe)
for probe in "${probes[@]}"; do
    check "$probe is absent before" gone "$probe"
done
info=$("${sandbox[@]}" -- sh -c '
    for p in /usr/share/pexo-sandbox-probe /etc/xdg/pexo-sandbox-probe /usr/bin/pexo-sandbox-probe; do
        echo inside >"$p" && [ "$(cat "$p")" = inside ] || exit 1
    done
    for p in /pexo-sandbox-probe /etc/pexo-sandbox-probe; do
        (echo inside >"$p") 2>/dev/null && rm -f "$p" && exit 1
    done
    echo "$PEXO_SANDBOX $(cat "$PEXO_SANDBOX/xvfb.pid") $DISPLAY"')
check "the command could write the overlays and nothing else" test $? -eq 0
read -r tdir xpid display <<<"$info"
for probe in "${probes[@]}"; do
    check "$probe is absent after" gone "$probe"
done
check "the sandbox directory is removed" gone "$tdir"
check "the X server has stopped" process_gone "$xpid"
lock=/tmp/.X${display#:}-lock
lock_pid=
[[ -e $lock ]] && lock_pid=$(tr -d ' ' <"$lock" 2>/dev/null)
check "the X lock is released" test "$lock_pid" != "$xpid"

# The caller's PEXO_*, Qt and shell variables are dropped, --env values win.
got=$(PEXO_SESSION_SUFFIX=-leaked PEXO_OTHER=leaked PEXO_GIVEN=leaked QT_LOGGING_RULES=leaked QT_MESSAGE_PATTERN=leaked POSIXLY_CORRECT=1 \
    "${sandbox[@]}" --env PEXO_GIVEN=given --env 'SPACED=a b=c' --env 'QT_LOGGING_RULES=*.debug=true' -- \
    sh -c 'echo "${PEXO_SESSION_SUFFIX-unset} ${PEXO_OTHER-unset} ${QT_MESSAGE_PATTERN-unset} ${POSIXLY_CORRECT-unset} $PEXO_GIVEN $SPACED $QT_LOGGING_RULES"')
check "leftovers are dropped and --env applies (got '$got')" test "$got" = "unset unset unset unset given a b=c *.debug=true"

# --keep leaves the directory and names it.
"${sandbox[@]}" --keep -- true 2>"$work/keep.err"
kept=$(sed -n 's/^pexo-sandbox: kept //p' "$work/keep.err")
check "--keep names the directory" test -n "$kept"
check "--keep leaves the directory" test -d "$kept/home"
[[ -n $kept && $kept == /tmp/pexo-sandbox.* ]] && rm -rf -- "$kept"

# A terminated sandbox stops its command and cleans up.
# The command would run twice as long as a busy machine may need to stop it.
patience=60
"${sandbox[@]}" --writable "$work" --env "READY=$work/ready" --env "SLEEP=$((2 * patience))" -- \
    sh -c 'echo "$PEXO_SANDBOX $(cat "$PEXO_SANDBOX/xvfb.pid")" >"$READY.tmp"; mv "$READY.tmp" "$READY"; sleep "$SLEEP"' &
sandbox_pid=$!
while [[ ! -e $work/ready ]] && kill -0 "$sandbox_pid" 2>/dev/null; do
    sleep 0.05
done
tdir= xpid=
read -r tdir xpid <"$work/ready"
check "a sandbox to terminate started (got '$tdir $xpid')" test -d "$tdir" -a -n "$xpid"
start=$SECONDS
kill -TERM "$sandbox_pid"
wait "$sandbox_pid"
status=$?
check "a terminated sandbox reports failure" test "$status" -ne 0
check "a terminated sandbox ends its command at once" test $((SECONDS - start)) -lt "$patience"
check "a terminated sandbox removes its directory" gone "$tdir"
check "a terminated sandbox stops the X server" process_gone "$xpid"

# Failures of the sandbox itself give 125 and a reason.
"$sandbox_path" --listener /nonexistent/pexo-wm-listen -- true 2>"$work/fail.err"
check "a missing listener gives 125" test $? -eq 125
check "a missing listener is explained" grep -q '^pexo-sandbox: cannot' "$work/fail.err"
"$sandbox_path" --bogus -- true 2>/dev/null
check "an unknown option gives 125" test $? -eq 125
"${sandbox[@]}" --writable /usr -- true 2>/dev/null
check "a writable directory holding an overlay gives 125" test $? -eq 125

# Sandboxes side by side get displays of their own.
for i in 1 2 3 4 5 6; do
    "${sandbox[@]}" -- sh -c 'xdpyinfo >/dev/null && echo "$DISPLAY"' >"$work/display.$i" &
done
wait
check "parallel sandboxes all start" test "$(cat "$work"/display.* | grep -c .)" -eq 6
check "parallel sandboxes get distinct displays" test "$(sort -u "$work"/display.* | grep -c .)" -eq 6

start=$(date +%s%N)
"${sandbox[@]}" -- true
echo "one empty sandbox run: $((($(date +%s%N) - start) / 1000000)) ms"

echo "$passes passed, $failures failed"
((failures == 0))
