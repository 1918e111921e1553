#!/bin/sh
# Starts or stops a CUPS print server with a cups-pdf queue "PDF" as the default printer, for the tests.
#   print_server.sh start STATE_DIR    starts cupsd and records its process id in STATE_DIR/cupsd.pid
#   print_server.sh stop STATE_DIR     stops that cupsd by its process id
# Where no server can be started (no cupsd, not root), it says so and succeeds; the printing tests then skip.
set -u
action=$1
state=$2
mkdir -p "$state"
case "$action" in
start)
    rm -f "$state/cupsd.pid" "$state/ready"
    if [ "$(id -u)" -ne 0 ] || ! command -v cupsd >/dev/null 2>&1; then
        echo "print server: cannot start cupsd here (needs root and cups installed)"
        exit 0
    fi
    if command -v lpstat >/dev/null 2>&1 && lpstat -r 2>/dev/null | grep -q "is running"; then
        echo "print server: a scheduler is already running; using it"
    else
        cupsd -f >"$state/cupsd.log" 2>&1 &
        echo $! >"$state/cupsd.pid"
        i=0
        until lpstat -r 2>/dev/null | grep -q "is running"; do
            i=$((i + 1))
            if [ $i -gt 100 ]; then
                echo "print server: cupsd did not come up"
                exit 0
            fi
            sleep 0.1
        done
    fi
    ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
    [ -f "$ppd" ] || ppd=$(ls /usr/share/ppd/cups-pdf/*.ppd 2>/dev/null | head -n 1)
    if [ -z "$ppd" ] || ! lpadmin -p PDF -E -v cups-pdf:/ -P "$ppd" || ! lpadmin -d PDF; then
        echo "print server: cannot set up the cups-pdf queue"
        exit 0
    fi
    touch "$state/ready"
    echo "print server: ready, default printer PDF"
    ;;
stop)
    rm -f "$state/ready"
    if [ -f "$state/cupsd.pid" ]; then
        kill "$(cat "$state/cupsd.pid")" 2>/dev/null
        rm -f "$state/cupsd.pid"
    fi
    ;;
esac
exit 0
