# Sourced by the scripts that need an X server of their own (bash).
#
#   start_xvfb WORK_DIR
#
# Starts Xvfb (1280x1024x24, 96 dpi) on a display number it picks itself (-displayfd), so that
# several can run side by side, waits until it accepts connections, and sets xvfb_pid and
# DISPLAY. The caller stops it: kill "$xvfb_pid". Returns 1, with Xvfb's log on stderr, when
# the server does not come up within 30 s.
#
# Keys do not repeat (-r): a typed key whose release comes late, as on a loaded machine, would
# otherwise repeat and type its character twice.
start_xvfb() {
    local work=$1 deadline
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset -r \
        3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    deadline=$((SECONDS + 30))
    until [ -s "$work/display" ]; do
        if ! kill -0 "$xvfb_pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
            echo "Xvfb did not start:" >&2
            cat "$work/xvfb.log" >&2
            return 1
        fi
        sleep 0.05
    done
    DISPLAY=:$(head -n 1 "$work/display")
    export DISPLAY
}
