#!/usr/bin/env bash
# Hostile conditions against the built programs: full disks, FIFOs, devices,
# links, read-only directories, names that readers take for another format,
# signals at random times, and inputs that amplify. Each case states what
# must hold (exit status, message, old file intact); the script fails when
# any does not. Cases that need root or a missing tool are skipped with the
# reason printed.
#
#   tests/hostile/run.sh [BUILD_DIR]     (default: build)
set -uo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
quarvel=$(realpath "$build/quarvel")
[ -x "$quarvel" ] || { echo "no $build/quarvel: build it first" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
mounted=()
cleanup() {
  for m in "${mounted[@]}"; do umount -l "$m" 2>/dev/null; done
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
passed=0 failed=0 skipped=0
root=false
[ "$(id -u)" -eq 0 ] && root=true

ok() { passed=$((passed + 1)); echo "ok    $1"; }
bad() { failed=$((failed + 1)); echo "FAIL  $1: $2"; }
skip() { skipped=$((skipped + 1)); echo "skip  $1: $2"; }

# run NAME STATUS PATTERN CMD...: CMD (at most 60 s) exits with STATUS and
# its standard error holds PATTERN (a fixed string; empty: anything).
run() {
  local name=$1 want=$2 pattern=$3
  shift 3
  local err=$work/err
  timeout 60 "$@" >"$work/out" 2>"$err" </dev/null
  local got=$?
  if [ "$got" -ne "$want" ]; then
    bad "$name" "exit $got, expected $want ($(head -c 300 "$err"))"
  elif [ -n "$pattern" ] && ! grep -qF -- "$pattern" "$err"; then
    bad "$name" "standard error lacks '$pattern' ($(head -c 300 "$err"))"
  else
    ok "$name"
  fi
}

# same NAME FILE BYTES: FILE still holds exactly BYTES.
same() {
  if [ "$(cat "$2" 2>/dev/null)" == "$3" ]; then ok "$1"; else bad "$1" "the old file changed"; fi
}

# only NAME DIR NAMES...: DIR holds exactly NAMES (no temporary left).
only() {
  local name=$1 dir=$2
  shift 2
  local have
  have=$(cd "$dir" && ls -A | sort | tr '\n' ' ')
  local want
  want=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
  if [ "$have" == "$want" ]; then ok "$name"; else bad "$name" "holds '$have', expected '$want'"; fi
}

printf 'Layer M faults\nPLINE\n0,0\n10,10\n\nPoint 5,5 W1\n' >"$work/map.qvd"
old=$'old drawing\nkept'

echo "== outputs"
# A full disk: a small tmpfs filled to the last byte. Saving in place (a
# hard link) or beside must fail and keep the old file.
if $root; then
  full=$work/full
  mkdir "$full"
  if mount -t tmpfs -o size=64k tmpfs "$full" 2>/dev/null; then
    mounted+=("$full")
    printf '%s' "$old" >"$full/a.qvd"
    ln "$full/a.qvd" "$full/link.qvd"
    printf '%s' "$old" >"$full/b.qvd"
    head -c 10000000 /dev/zero >"$full/filler" 2>/dev/null
    big=$work/big.qvd
    { echo "Layer M pts"; for i in $(seq 1 3000); do echo "Point $i,$i P$i"; done; } >"$big"
    run "full disk, hard link: fails" 1 "No space left on device" "$quarvel" convert "$big" -o "$full/a.qvd"
    same "full disk, hard link: old file intact" "$full/link.qvd" "$old"
    run "full disk, replace: fails" 1 "No space left on device" "$quarvel" convert "$big" -o "$full/b.qvd"
    same "full disk, replace: old file intact" "$full/b.qvd" "$old"
    rm -f "$full/filler"
    only "full disk: no temporary left" "$full" a.qvd b.qvd link.qvd
  else
    skip "full disk" "cannot mount a tmpfs here"
  fi
else
  skip "full disk" "needs root to mount a small tmpfs"
fi

# A writable file in a read-only directory, as another user: written in
# place, the directory untouched.
if $root; then
  ro=$work/ro
  mkdir "$ro"
  printf '%s' "$old" >"$ro/a.qvd"
  chown 65534:65534 "$ro/a.qvd"
  chmod 755 "$work"
  chmod 555 "$ro"
  cp "$work/map.qvd" "$work/map-public.qvd"
  chmod 644 "$work/map-public.qvd"
  run "read-only directory: file written in place" 0 "" setpriv --reuid=65534 --regid=65534 --clear-groups \
    "$quarvel" convert "$work/map-public.qvd" -o "$ro/a.qvd"
  only "read-only directory: nothing new in it" "$ro" a.qvd
  chmod 755 "$ro"
else
  skip "read-only directory" "needs root to act as another user"
fi

# A text drawing never goes out under a name read as curves or STEP.
printf '%s' "$old" >"$work/m.kcx"
run "curve file name refused" 2 "is read as a curve file" "$quarvel" convert "$work/map.qvd" -o "$work/m.kcx"
same "curve file name: old file intact" "$work/m.kcx" "$old"
run "STEP file name refused" 2 "is read as a STEP file" "$quarvel" convert "$work/map.qvd" -o "$work/m.STEP"

# Standard output that takes nothing.
run "info to a full standard output" 1 "cannot write standard output" sh -c "'$quarvel' info '$work/map.qvd' >/dev/full"

# Outputs that are no files.
run "output to a directory refused" 1 "Is a directory" "$quarvel" convert "$work/map.qvd" -o "$work"
mkfifo "$work/out.fifo"
run "output to a FIFO nobody reads" 1 "no program is reading the pipe" "$quarvel" convert "$work/map.qvd" -o "$work/out.fifo"

echo "== inputs"
mkfifo "$work/in.fifo"
run "FIFO input refused" 1 "not a regular file" "$quarvel" info "$work/in.fifo"
run "device input refused" 1 "not a regular file" "$quarvel" info /dev/zero
run "directory input refused" 1 "Is a directory" "$quarvel" info "$work"
if [ -r /proc/kmsg ]; then
  run "a kernel file that blocks does not hang" 1 "cannot" "$quarvel" info /proc/kmsg
else
  skip "blocking kernel file" "/proc/kmsg is not readable here"
fi
ln -s "$work/nowhere" "$work/dangling.qvd"
run "dangling link input" 1 "No such file or directory" "$quarvel" info "$work/dangling.qvd"
printf 'This is a README.\nNothing to draw here.\n' >"$work/README"
run "info on a file with nothing recognised warns" 0 "nothing in it was recognised" "$quarvel" info "$work/README"

echo "== gridding"
pts=$work/pts.qvd
{
  printf 'Layer M f(x,y)\\xyz\nXYZ\n'
  for j in 0 1 2 3 4 5; do for i in 0 1 2 3 4 5; do echo "$((i * 10)),$((j * 10)),$(((i * 37 + j * 11) % 23))"; done; done
  echo
} >"$pts"
run "smallest positive smoothing accepted" 0 "" env XDG_RUNTIME_DIR="$work" "$quarvel" grid --times 1 --smooth 1e-308 "$pts" -o "$work/s.net"
# A link planted at the default net file by another user is not followed.
if $root; then
  private=$work/run
  mkdir -m 700 "$private"
  printf '%s' "$old" >"$work/victim"
  ln -s "$work/victim" "$private/net.f(x,y)"
  chown -h 65534:65534 "$private/net.f(x,y)"
  run "planted link at the default net file refused" 1 "symbolic link of another user's" \
    env XDG_RUNTIME_DIR="$private" "$quarvel" grid --times 1 "$pts"
  same "planted link: its target intact" "$work/victim" "$old"
else
  skip "planted link" "needs root to make a link owned by another user"
fi
# Default net file: in a private directory made 0700.
cache=$work/cache
run "default net file in the user's cache" 0 "" env -u XDG_RUNTIME_DIR XDG_CACHE_HOME="$cache" "$quarvel" grid --times 1 "$pts"
if [ "$(stat -c %a "$cache/quarvel" 2>/dev/null)" == 700 ] && [ -f "$cache/quarvel/net.f(x,y)" ]; then
  ok "private directory is 0700 and holds the net file"
else
  bad "private directory" "$(stat -c %a "$cache/quarvel" 2>&1)"
fi

echo "== signals"
# A render or a grid ended at a random time leaves the old output whole and
# no temporary beside it.
sigdir=$work/sig
mkdir "$sigdir"
manypts=$work/many.qvd
{
  printf 'Layer M f(x,y)\\xyz\nXYZ\n'
  for j in $(seq 0 40); do for i in $(seq 0 40); do echo "$((i * 10)),$((j * 10)),$(((i * 37 + j * 11) % 23))"; done; done
  echo
} >"$manypts"
for round in 1 2 3 4 5 6; do
  printf '%s' "$old" >"$sigdir/out.net"
  printf '%s' "$old" >"$sigdir/out.png"
  signal=$([ $((round % 2)) -eq 0 ] && echo TERM || echo INT)
  if [ $((round % 3)) -eq 0 ]; then
    "$quarvel" render --size 3000x3000 "$manypts" -o "$sigdir/out.png" 2>/dev/null &
  else
    "$quarvel" grid --times 4 --num-x 40 "$manypts" -o "$sigdir/out.net" 2>/dev/null &
  fi
  pid=$!
  sleep "0.$((RANDOM % 9 + 1))"
  kill -s "$signal" "$pid" 2>/dev/null
  wait "$pid"
  status=$?
  for f in out.net out.png; do
    # Either untouched, or (when the run finished first) replaced whole.
    if ! printf '%s' "$old" | cmp -s - "$sigdir/$f" && [ "$status" -ne 0 ]; then bad "signal $signal round $round" "$f changed though the run failed ($status)"; fi
  done
  only "signal $signal round $round: no temporary left" "$sigdir" out.net out.png
done

echo "== amplification"
# One picture named by many elements is decoded once.
if [ -x /usr/bin/time ]; then
  "$quarvel" render --size 2000x2000 "$work/map.qvd" -o "$work/pic.png" 2>/dev/null
  amp=$work/amp.qvd
  for i in $(seq 1 40); do printf 'BMPIN %s 0\n0,0\n10,10\n' "$work/pic.png"; done >"$amp"
  /usr/bin/time -f '%M' -o "$work/rss" "$quarvel" render --size 400x400 "$amp" -o "$work/amp.png" 2>/dev/null
  rss=$(tail -1 "$work/rss")
  # 40 copies of 2000 x 2000 pixels would be 640 MB; one is 16 MB.
  if [ "${rss:-0}" -gt 0 ] && [ "$rss" -lt 400000 ]; then ok "40 BMPIN of one picture: peak ${rss} KB"; else bad "40 BMPIN of one picture" "peak ${rss} KB"; fi
else
  skip "amplification" "/usr/bin/time is not installed"
fi

echo "== first steps"
run "help for a command" 0 "" "$quarvel" help convert
grep -qF "usage: quarvel convert" "$work/out" && ok "help prints the usage" || bad "help prints the usage" "$(cat "$work/out")"
run "--help after a command" 0 "" "$quarvel" grid --help
run "--version" 0 "" "$quarvel" --version
grep -qE '^quarvel [0-9]+\.[0-9]+' "$work/out" && ok "version printed" || bad "version printed" "$(cat "$work/out")"

echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
