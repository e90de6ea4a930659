# A real GNOME Shell for the end-to-end scripts: the release's own
# gnome-shell as the window and compositing manager of the script's Xvfb
# (gnome-shell --x11 --replace, software GL), with a private session bus and a
# private bus standing in for the system bus, on which python3-dbusmock plays
# logind. The shell's services are not meant to run as root, so a script
# started as root runs again as nobody.
# Usage, before anything else: source gnome_shell.sh; source lib.sh; then
# start_xvfb and start_gnome_shell, or start_gnome_shell wayland alone: the
# shell headless on Wayland with a 1280x800 virtual monitor, X clients going
# to its Xwayland and `shot` reading the screen through its screenshot
# service. Fails when gnome-shell is missing: scripts/deps.sh --test installs it.
if ! command -v gnome-shell >/dev/null || ! /usr/bin/python3 -c 'import dbusmock' 2>/dev/null; then
    echo "FAIL: gnome-shell and python3-dbusmock are needed (scripts/deps.sh --test)" >&2
    exit 1
fi
if [[ $(id -u) -eq 0 ]]; then
    command -v setpriv >/dev/null || { echo "FAIL: setpriv is missing" >&2; exit 1; }
    exec setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/nonexistent \
        bash "$0" "$@"
fi
GNOME_PIDS=()

stop_gnome_shell() {
    local pid
    for pid in "${GNOME_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    GNOME_PIDS=()
}

# gnome_eval JS: runs JavaScript in the shell (it runs with --unsafe-mode).
gnome_eval() {
    gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method org.gnome.Shell.Eval "$1" >/dev/null
}

# start_gnome_shell [wayland]: on $DISPLAY (or headless on Wayland); waits
# until the shell has started and its overview is hidden, so that the
# desktop shows.
start_gnome_shell() {
    export HOME="$E2E_TMP/home" LIBGL_ALWAYS_SOFTWARE=1 NO_AT_BRIDGE=1
    export XDG_SESSION_TYPE=${1:-x11} XDG_CURRENT_DESKTOP=GNOME GSETTINGS_BACKEND=dconf
    export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/system_bus"
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/bus"
    mkdir -p "$HOME"
    GNOME_PIDS+=("$(dbus-daemon --session --address="$DBUS_SYSTEM_BUS_ADDRESS" --fork --print-pid)")
    GNOME_PIDS+=("$(dbus-daemon --session --address="$DBUS_SESSION_BUS_ADDRESS" --fork --print-pid)")
    /usr/bin/python3 -m dbusmock --system --template logind >"$E2E_TMP/logind.log" 2>&1 &
    GNOME_PIDS+=($!)
    # No banners over the desktop, no animations to wait for.
    gsettings set org.gnome.desktop.notifications show-banners false
    gsettings set org.gnome.desktop.interface enable-animations false
    # A pointer passing the top-left corner would open the overview.
    gsettings set org.gnome.desktop.interface enable-hot-corners false
    if [[ $XDG_SESSION_TYPE == wayland ]]; then
        gnome-shell --headless --wayland --virtual-monitor 1280x800 --unsafe-mode \
            >"$E2E_TMP/shell.log" 2>&1 &
    else
        gnome-shell --x11 --replace --unsafe-mode >"$E2E_TMP/shell.log" 2>&1 &
    fi
    GNOME_PIDS+=($!)
    for _ in $(seq 360); do
        grep -qs "GNOME Shell started" "$E2E_TMP/shell.log" && break
        sleep 0.5
    done
    grep -q "GNOME Shell started" "$E2E_TMP/shell.log" ||
        fail "GNOME Shell did not start: $(tail -n5 "$E2E_TMP/shell.log")"
    if [[ $XDG_SESSION_TYPE == wayland ]]; then
        # "Using public X11 display :0, (using :1 for managed services)"
        DISPLAY=$(sed -n 's/.*Using public X11 display \(:[0-9]*\),.*/\1/p' "$E2E_TMP/shell.log")
        XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.*)
        # As in a session: the program, seeing Wayland, goes to Xwayland.
        WAYLAND_DISPLAY=$(sed -n "s/.*Using Wayland display name '\(.*\)'/\1/p" \
            "$E2E_TMP/shell.log")
        export DISPLAY XAUTHORITY WAYLAND_DISPLAY
        # Xwayland's root window shows nothing of what the shell draws.
        shot() {
            gdbus call --session --dest org.gnome.Shell.Screenshot \
                --object-path /org/gnome/Shell/Screenshot \
                --method org.gnome.Shell.Screenshot.Screenshot false false "$E2E_TMP/$1.png" \
                >/dev/null && echo "$E2E_TMP/$1.png"
        }
    fi
    # GNOME 40 and later open the overview once start-up is complete, which
    # can come well after the line above (GNOME 48): wait for that, then hide
    # it until it stays hidden.
    local hidden=0
    for _ in $(seq 120); do
        gnome_value 'Main.layoutManager._startingUp' | grep -q "'false'" && break
        sleep 0.25
    done
    for _ in $(seq 60); do
        gnome_eval 'Main.overview.hide()'
        sleep 0.25
        if gnome_value 'Main.overview.visible' | grep -q "'false'"; then
            ((++hidden >= 8)) && return 0
        else
            hidden=0
        fi
    done
    fail "the GNOME Shell overview did not stay hidden"
}

# gnome_value JS: what the shell's JavaScript gives, as gdbus prints it.
gnome_value() {
    gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method org.gnome.Shell.Eval "$1"
}
