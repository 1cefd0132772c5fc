#!/usr/bin/env bash
# Checks that cupsd-fixture.sh leaves nothing behind that breaks a later run: a scheduler whose
# pid file was lost and one that died leaving its socket are both handled by the next start, and
# stop ends every scheduler of the folder and removes the folder.
#   cupsd-fixture-check.sh FIXTURE_SCRIPT DIR
set -euo pipefail
script=${1:?fixture script}
dir=${2:?folder}
conf="$dir/etc/cupsd.conf"

# The live (not zombie) processes started with this folder's configuration.
ours() {
  local proc state line args
  for proc in /proc/[0-9]*; do
    read -r line 2>/dev/null <"$proc/stat" || continue
    read -r state _ <<<"${line##*) }"
    [ "$state" != Z ] && [ "$state" != X ] || continue
    mapfile -d '' args 2>/dev/null <"$proc/cmdline" || continue
    [[ " ${args[*]} " == *" -c $conf "* ]] && echo "${proc#/proc/}"
  done
  return 0
}

fail() {
  echo "FAILED: $*" >&2
  "$script" stop "$dir" >/dev/null 2>&1 || true
  exit 1
}

"$script" start "$dir" >/dev/null || fail "first start"
first=$(cat "$dir/cupsd.pid")
[ "$(ours)" = "$first" ] || fail "the scheduler is not the process in the pid file"

# An interrupted run: the pid file is gone, the scheduler still runs.
rm -f "$dir/cupsd.pid"
"$script" start "$dir" >/dev/null || fail "start after a lost pid file"
second=$(cat "$dir/cupsd.pid")
[ "$(ours)" = "$second" ] || fail "the scheduler of the lost pid file still runs"

# A scheduler that died leaves its socket behind.
kill -KILL "$second"
for _ in $(seq 50); do
  [ -z "$(ours)" ] && break
  sleep 0.1
done
[ -S "$dir/cups.sock" ] || fail "no socket left behind to test with"
"$script" start "$dir" >/dev/null || fail "start over a dead scheduler's socket"
[ -n "$(ours)" ] || fail "no scheduler after the restart"

"$script" stop "$dir" >/dev/null || fail "stop"
[ -z "$(ours)" ] || fail "a scheduler still runs after stop"
[ ! -e "$dir" ] || fail "the folder is still there after stop"
# Stopping twice is harmless.
"$script" stop "$dir" >/dev/null || fail "second stop"
echo "the test scheduler starts and stops cleanly"
