#!/usr/bin/env bash
# Starts or stops a private CUPS scheduler for the print-queue tests.
#   cupsd-fixture.sh start DIR   configuration, spool, logs and the local socket DIR/cups.sock
#   cupsd-fixture.sh stop DIR    stops that scheduler and removes DIR
# Clients reach it with CUPS_SERVER=DIR/cups.sock; the machine's own scheduler is never touched.
set -euo pipefail

# The scheduler and the admin tools live in sbin, which a plain user's PATH may lack.
export PATH="$PATH:/usr/sbin:/sbin"

action=${1:?start or stop}
dir=${2:?folder}

conf="$dir/etc/cupsd.conf"

# The helpers below read /proc with shell builtins only, so scanning every process stays quick.

# Sets STATE and SID (session) of process PID; false when it is gone.
proc_stat() {
  local line
  STATE='' SID=''
  read -r line 2>/dev/null <"/proc/$1/stat" || return 1
  read -r STATE _ _ SID _ <<<"${line##*) }"
}

# True while PID is a live process (a zombie is not).
alive() {
  proc_stat "$1" && [ "$STATE" != Z ] && [ "$STATE" != X ]
}

# True while PID is a live scheduler of this folder; a reused process id of some other program
# never counts.
is_ours() {
  local -a args
  alive "$1" || return 1
  mapfile -d '' args 2>/dev/null <"/proc/$1/cmdline" || return 1
  [[ " ${args[*]} " == *" -c $conf "* ]]
}

# Sets MEMBERS to the live processes of session SID: the scheduler and the backends it started.
session_members() {
  local proc
  MEMBERS=()
  for proc in /proc/[0-9]*; do
    if alive "${proc#/proc/}" && [ "$SID" = "$1" ]; then
      MEMBERS+=("${proc#/proc/}")
    fi
  done
}

# Ends the scheduler PID (it stops its jobs on SIGTERM) and then anything left in its session.
stop_session() {
  local sid=$1 signal
  kill -TERM "$sid" 2>/dev/null || true
  for _ in $(seq 50); do
    is_ours "$sid" || break
    sleep 0.1
  done
  for signal in TERM KILL; do
    session_members "$sid"
    [ "${#MEMBERS[@]}" -gt 0 ] || return 0
    kill -"$signal" "${MEMBERS[@]}" 2>/dev/null || true
    for _ in $(seq 20); do
      session_members "$sid"
      [ "${#MEMBERS[@]}" -gt 0 ] || return 0
      sleep 0.1
    done
  done
}

# Stops the scheduler of this folder: the one named in its pid file and any other started with
# this folder's configuration whose pid file was lost (an interrupted run).
stop_daemon() {
  local pid proc
  if [ -f "$dir/cupsd.pid" ]; then
    read -r pid 2>/dev/null <"$dir/cupsd.pid" || pid=''
    if [[ "$pid" =~ ^[0-9]+$ ]] && is_ours "$pid"; then
      stop_session "$pid"
    fi
    rm -f "$dir/cupsd.pid"
  fi
  for proc in /proc/[0-9]*; do
    pid=${proc#/proc/}
    if is_ours "$pid"; then
      stop_session "$pid"
    fi
  done
}

# True once the scheduler answers on its socket (lpstat -r says "not running" with status 0, so
# its text decides).
answers() {
  [ -S "$dir/cups.sock" ] &&
    [ "$(CUPS_SERVER="$dir/cups.sock" LC_ALL=C LANG=C timeout 5 lpstat -r 2>/dev/null)" = \
      "scheduler is running" ]
}

case "$action" in
start)
  stop_daemon
  rm -rf "$dir"
  mkdir -p "$dir"/etc "$dir"/spool/tmp "$dir"/cache "$dir"/state "$dir"/log
  chmod 755 "$dir"
  cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
FileDevice Yes
Sandboxing Relaxed
SystemGroup root
CONF
  cat >"$dir/etc/cupsd.conf" <<CONF
LogLevel debug
Listen $dir/cups.sock
Browsing No
BrowseLocalProtocols none
WebInterface No
Printcap $dir/printcap
JobRetryInterval 1
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit Send-Document Send-URI Hold-Job Release-Job Restart-Job Purge-Jobs Set-Job-Attributes Cancel-Job Cancel-My-Jobs Close-Job CUPS-Move-Job CUPS-Get-Document>
    Require user @OWNER @SYSTEM
    Order deny,allow
  </Limit>
  <Limit CUPS-Add-Modify-Printer CUPS-Delete-Printer CUPS-Add-Modify-Class CUPS-Delete-Class CUPS-Set-Default CUPS-Get-Devices Pause-Printer Resume-Printer Enable-Printer Disable-Printer CUPS-Accept-Jobs CUPS-Reject-Jobs Cancel-Jobs>
    AuthType Default
    Require user @SYSTEM
    Order deny,allow
  </Limit>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
# Queues with this policy refuse to be paused or resumed, as for a user without rights.
<Policy refuse-pause>
  <Limit Pause-Printer Resume-Printer>
    Require user no-such-user-here
    Order deny,allow
    Deny from all
  </Limit>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  # The scheduler runs in the foreground of its own session (so its backends can be found and
  # stopped with it), detached from the caller's terminal and output so the test runner does not
  # wait for it. The shell writes its own process id, which cupsd then takes over.
  setsid sh -c 'echo $$ >"$1/cupsd.pid"; exec cupsd -f -c "$1/etc/cupsd.conf" -s "$1/etc/cups-files.conf"' \
    sh "$dir" </dev/null >"$dir/log/cupsd.out" 2>&1 &
  # Up to 20 seconds for the scheduler to answer.
  deadline=$((SECONDS + 20))
  while [ "$SECONDS" -lt "$deadline" ]; do
    if answers; then
      echo "private CUPS scheduler running on $dir/cups.sock (process $(cat "$dir/cupsd.pid"))"
      exit 0
    fi
    if [ -s "$dir/cupsd.pid" ] && ! alive "$(cat "$dir/cupsd.pid")"; then
      break
    fi
    sleep 0.1
  done
  echo "the private CUPS scheduler did not start" >&2
  cat "$dir/log/cupsd.out" >&2 || true
  tail -n 30 "$dir/log/error_log" >&2 || true
  stop_daemon
  exit 1
  ;;
stop)
  stop_daemon
  rm -rf "$dir"
  ;;
*)
  echo "usage: $0 start|stop DIR" >&2
  exit 2
  ;;
esac
