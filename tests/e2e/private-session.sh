# Shared by run-e2e.sh (X11) and run-e2e-wayland.sh: a private home, config, data, cache,
# runtime and temporary folder under WORK, an emptied ARTIFACT_DIR, and the environment that the
# test helpers (tovrin_e2e.py) and an accessible Qt program need. Sourced, not run.
#
# The program opens web addresses through xdg-open. Here xdg-open only notes each address, one a
# line, in the file the tests read (tovrin_e2e.opened_urls()); no browser starts.

# usage: prepare_private_session WORK ARTIFACT_DIR HERE BINARY
prepare_private_session() {
    local work=$1 artifacts=$2 here=$3 binary=$4
    mkdir -p "$work/home" "$work/config" "$work/data" "$work/cache" "$work/runtime" "$work/tmp" \
        "$work/bin"
    chmod 700 "$work/runtime"
    cat >"$work/bin/xdg-open" <<'SCRIPT'
#!/bin/sh
printf '%s\n' "$*" >>"$TOVRIN_E2E_OPENED"
SCRIPT
    chmod +x "$work/bin/xdg-open"
    : >"$work/opened-urls"
    rm -rf "$artifacts"
    mkdir -p "$artifacts"

    unset XAUTHORITY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS SESSION_MANAGER BROWSER DEFAULT_BROWSER
    export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data \
        XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime TMPDIR=$work/tmp
    export LC_ALL=C.UTF-8 LANG=C.UTF-8
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
    export NO_AT_BRIDGE=0 PYTHONDONTWRITEBYTECODE=1
    # pyatspi calls Atspi getters that newer Atspi marks deprecated; the warnings are noise.
    export PYTHONWARNINGS=ignore::DeprecationWarning:pyatspi.Accessibility
    export PYTHONPATH=$here${PYTHONPATH:+:$PYTHONPATH}
    export TOVRIN_BINARY=$binary TOVRIN_E2E_ARTIFACTS=$artifacts
    export TOVRIN_E2E_OPENED=$work/opened-urls PATH=$work/bin:$PATH
}
