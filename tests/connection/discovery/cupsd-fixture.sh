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

stop_daemon() {
  if [ -f "$dir/cupsd.pid" ]; then
    pid=$(cat "$dir/cupsd.pid")
    if kill -0 "$pid" 2>/dev/null; then
      kill -TERM "$pid" 2>/dev/null || true
      for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
      done
      kill -KILL "$pid" 2>/dev/null || true
    fi
    rm -f "$dir/cupsd.pid"
  fi
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
  # The scheduler runs in the foreground of its own session, detached from the caller's output
  # so the test runner does not wait for it.
  setsid cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" \
    </dev/null >"$dir/log/cupsd.out" 2>&1 &
  echo $! >"$dir/cupsd.pid"
  for _ in $(seq 100); do
    if [ -S "$dir/cups.sock" ] && CUPS_SERVER="$dir/cups.sock" lpstat -r >/dev/null 2>&1; then
      echo "private CUPS scheduler running on $dir/cups.sock"
      exit 0
    fi
    if ! kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null; then
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
