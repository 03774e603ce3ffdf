#!/usr/bin/env bash
# A private print server with two printers, for the printer dialogs under test.
# Nothing is ever printed: both queues write to /dev/null.
#   scripts/test-printers.sh start DIR   prints the CUPS_SERVER value to export
#   scripts/test-printers.sh stop DIR
# The server listens on a socket inside DIR only, so it never meets the
# machine's own print server or another run's.
set -euo pipefail
action=$1
dir=$2
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

case "$action" in
start)
    command -v cupsd >/dev/null && [ -f "$ppd" ] || { echo "cups or its PDF printer driver is missing" >&2; exit 1; }
    mkdir -p "$dir"/{root/ppd,cache,state,spool/tmp,log}
    chmod 0755 "$dir" "$dir"/*
    socket=$dir/cups.sock
    cat >"$dir/root/cups-files.conf" <<CONF
ServerRoot $dir/root
CacheDir $dir/cache
StateDir $dir/state
RequestRoot $dir/spool
TempDir $dir/spool/tmp
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
FileDevice Yes
SystemGroup root
CONF
    cat >"$dir/root/cupsd.conf" <<CONF
Listen $socket
Browsing No
DefaultAuthType None
WebInterface No
LogLevel warn
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    # The server's output would otherwise hold the caller's pipes open.
    cupsd -f -c "$dir/root/cupsd.conf" -s "$dir/root/cups-files.conf" >/dev/null 2>&1 </dev/null &
    echo $! >"$dir/cupsd.pid"
    export CUPS_SERVER=$socket
    for _ in $(seq 100); do
        lpstat -r >/dev/null 2>&1 && break
        sleep 0.1
    done
    lpstat -r >/dev/null 2>&1 || { echo "the test print server did not start" >&2; exit 1; }
    # lpadmin warns that printer drivers are deprecated; the queues work all the same.
    lpadmin -p Typoscope_Test_A -E -v file:/dev/null -P "$ppd" -D "Typoscope test printer A" >/dev/null 2>&1
    lpadmin -p Typoscope_Test_B -E -v file:/dev/null -P "$ppd" -D "Typoscope test printer B" >/dev/null 2>&1
    lpadmin -d Typoscope_Test_A >/dev/null
    echo "$socket"
    ;;
stop)
    if [ -f "$dir/cupsd.pid" ]; then
        kill "$(cat "$dir/cupsd.pid")" 2>/dev/null || true
        rm -f "$dir/cupsd.pid"
    fi
    rm -rf "$dir"
    ;;
*)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
