#!/bin/sh
# The review window's reports through a real print queue. Starts a print
# service of the test's own: the scheduler, run as the current user in the
# foreground, listening only on a socket in a temporary directory that also
# holds its configuration, spool, cache, state and logs. A queue there is
# made the default; it writes every job to a file. The window tests
# (PROGRAM) then print through it, and the scheduler is stopped and the
# directory removed however they end: nothing of the machine's own print
# service is used or changed.
#
# The queue is a file: device (allowed by FileDevice in the private
# configuration) with the generic PDF printer driver of cups-filters, so its
# output is a PDF made by the same filter chain a real printer's driver
# starts with. The cups-pdf backend is not used: it works only when run as
# root and reads its settings and output directory from the system's
# configuration, so it cannot serve a private scheduler. A raw queue needs no
# driver, but the scheduler writes nothing to a file device for one.
#
# Usage: printqueue_test.sh PROGRAM
set -eu
program="$1"
queue=Raportit
driver=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd

# The scheduler and the administration commands live in sbin, which a
# normal user's PATH may lack.
PATH="$PATH:/usr/sbin:/sbin"
for tool in cupsd lpadmin lpstat cupsreject cupsaccept cupsdisable cupsenable pdftotext pdfinfo; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "printqueue_test: $tool is missing (scripts/deps.sh installs it)" >&2
        exit 1
    fi
done
if [ ! -f "$driver" ]; then
    echo "printqueue_test: the driver $driver is missing (cups-filters)" >&2
    exit 1
fi

dir="$(mktemp -d)"
pid=""
watchdog=""
stop() {
    status=$?
    # Cleaning up goes on even when whoever reads the output has gone.
    set +e
    trap '' PIPE
    if [ -n "$watchdog" ]; then
        kill "$watchdog" 2>/dev/null
    fi
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    fi
    log=""
    if [ "$status" -ne 0 ] && [ -f "$dir/log/error_log" ]; then
        log="$(tail -n 40 "$dir/log/error_log")"
    fi
    rm -rf "$dir"
    if [ -n "$log" ]; then
        printf '%s\n%s\n' "printqueue_test: the scheduler's log:" "$log" >&2
    fi
    exit "$status"
}
trap stop EXIT
trap 'exit 1' HUP INT TERM PIPE

# A scheduler started as root runs the filters as the unprivileged lp user,
# who must reach the spool files under this directory.
if [ "$(id -u)" -eq 0 ]; then
    chmod 0711 "$dir"
fi
mkdir "$dir/spool" "$dir/cache" "$dir/state" "$dir/temp" "$dir/log" "$dir/out" "$dir/home"

# No network port, no sharing or browsing, no web pages; every operation
# allowed to every local client, since only this test reaches the socket.
cat >"$dir/cupsd.conf" <<EOF
Listen $dir/cups.sock
LogLevel info
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
cat >"$dir/cups-files.conf" <<EOF
FileDevice Yes
ServerRoot $dir
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/temp
ServerKeychain $dir/ssl
Printcap $dir/printcap
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
EOF

export CUPS_SERVER="$dir/cups.sock"
cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" &
pid=$!
# Should this script be killed outright (a test timeout), the scheduler and
# its directory go with it.
(
    while kill -0 $$ 2>/dev/null; do sleep 1; done
    kill "$pid" 2>/dev/null
    sleep 1
    rm -rf "$dir"
) &
watchdog=$!
tries=0
until lpstat -r 2>/dev/null | grep -q 'is running'; do
    if ! kill -0 "$pid" 2>/dev/null; then
        pid=""
        echo "printqueue_test: the scheduler did not start" >&2
        exit 1
    fi
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ]; then
        echo "printqueue_test: the scheduler did not answer in 10 seconds" >&2
        exit 1
    fi
    sleep 0.05
done

# Drivers are deprecated in the scheduler and lpadmin says so; the queue
# works all the same. A4, as the shops' printers have.
lpadmin -p "$queue" -E -v "file://$dir/out/$queue.pdf" -P "$driver" -o PageSize=A4 2>/dev/null
lpadmin -d "$queue"

# Under the sanitizer suite: libcups loses a few strings of the option
# cache it builds from a queue's driver whenever the toolkit's printer
# support looks a printer up (cupsMarkOptions); they are the library's, not
# this program's.
echo 'leak:_ppdCacheCreateWithPPD' >"$dir/leaks.supp"
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$dir/leaks.supp"

# The user's own default (~/.cups/lpoptions, PRINTER, LPDEST) must not pick
# another queue.
unset PRINTER LPDEST
export HOME="$dir/home"
export QT_QPA_PLATFORM=offscreen
export ORVIK_PRINTQUEUE="$queue"
export ORVIK_PRINTQUEUE_OUTPUT="$dir/out/$queue.pdf"
"$program"
