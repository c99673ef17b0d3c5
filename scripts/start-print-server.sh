#!/usr/bin/env bash
# Starts the local CUPS print server if it is not running and makes a queue that writes
# PDF files (cups-pdf) the default printer. Safe to run again and again: it changes
# nothing when the server runs and the queue is already in place.
#
# Output lands where /etc/cups/cups-pdf.conf says: by default ~/PDF of the user who
# printed (for root: /root/PDF).
set -euo pipefail

queue=${TOVRIN_PRINT_QUEUE:-PDF}
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
else
    as_root=(sudo)
fi

scheduler_running() {
    lpstat -r 2>/dev/null | grep -q 'scheduler is running'
}

if ! scheduler_running; then
    echo "start-print-server: starting cupsd"
    if [ -d /run/systemd/system ] && command -v systemctl >/dev/null; then
        "${as_root[@]}" systemctl start cups
    else
        # No service manager: cupsd detaches on its own.
        "${as_root[@]}" /usr/sbin/cupsd
    fi
    for _ in $(seq 100); do
        scheduler_running && break
        sleep 0.1
    done
    if ! scheduler_running; then
        echo "start-print-server: cupsd did not start" >&2
        exit 1
    fi
fi

# The queue turns jobs into PDF through pdftocairo: Ghostscript's conversion loses the
# text, which the printing tests read back from the PDF file with pdftotext.
queue_ready() {
    lpstat -p "$queue" 2>/dev/null | grep -q 'enabled' \
        && lpstat -a "$queue" 2>/dev/null | grep -q 'accepting requests' \
        && lpoptions -p "$queue" 2>/dev/null | grep -q 'pdftops-renderer=pdftocairo' \
        && [ "$(lpstat -d 2>/dev/null)" = "system default destination: $queue" ]
}

if ! queue_ready; then
    echo "start-print-server: setting up the print queue '$queue' (cups-pdf) as default printer"
    # lpadmin warns that printer drivers are deprecated; the queue works all the same.
    "${as_root[@]}" lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" \
        -o pdftops-renderer-default=pdftocairo -o printer-is-shared=false \
        2> >(grep -v 'deprecated' >&2)
    "${as_root[@]}" cupsenable "$queue"
    "${as_root[@]}" cupsaccept "$queue"
    "${as_root[@]}" lpadmin -d "$queue"
    if ! queue_ready; then
        echo "start-print-server: the queue '$queue' is not ready:" >&2
        lpstat -t >&2 || true
        exit 1
    fi
fi
echo "start-print-server: CUPS is running; default printer: $queue"
