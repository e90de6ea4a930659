#!/usr/bin/env bash
# Window managers that keep windows off their panels: xfwm4 with
# xfce4-panel at the top, openbox with lxpanel at the bottom; with the
# argument "kde", kwin_x11 with plasmashell's own panel at the bottom
# (scripts/test-desktops.sh kde installs Plasma). A wallpaper as large as the
# screen reaches under the panel; the placement window still covers the whole
# screen, and the calendar lands in Tessavel.bmp (shown one to one) exactly
# where its picture was dropped.
source "$(dirname "$0")/lib.sh"
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR
MODE=${1:-}
TOOLS=(xfwm4 xfce4-panel xfconfd openbox lxpanel)
[[ $MODE == kde ]] && TOOLS=(kwin_x11 plasmashell)
for tool in "${TOOLS[@]}"; do
    command -v "$tool" >/dev/null || [[ -x /usr/lib/x86_64-linux-gnu/xfce4/xfconf/$tool ]] ||
        fail "$tool is missing (scripts/deps.sh --test)"
done
SESSION_PIDS=()
stop_session() {
    local pid
    for pid in "${SESSION_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    SESSION_PIDS=()
}
BUS_PID=""
trap 'stop_session; [[ -n "$BUS_PID" ]] && kill "$BUS_PID"; e2e_cleanup' EXIT
INKS=(FF0000 0000FF FFFF00)
ink() { "$PIXELPROBE" ink "$1" "$2" "$3" "$4" "$5" 90 "${INKS[@]}"; }
OUT="$XDG_DATA_HOME/tessaryn/Tessavel.bmp"

# xfce4-panel: one panel along the top, 30 px, without the first start's dialog.
XFCONF="$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
mkdir -p "$XFCONF"
cat >"$XFCONF/xfce4-panel.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="30"/>
      <property name="plugin-ids" type="array"><value type="int" value="1"/></property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="separator"/>
  </property>
</channel>
XML

start_xvfb 1280x800x24
# After the display: services the bus starts (plasmashell's activity manager,
# its shortcut daemon) take the display from the bus.
{ read -r DBUS_SESSION_BUS_ADDRESS; read -r BUS_PID; } < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS
WALL="$E2E_TMP/wall.bmp"
convert -size 1280x800 xc:'#404040' -fill none -stroke '#a0a0a0' \
    -draw "line 0,100 1280,100 line 0,700 1280,700 line 640,0 640,800" -depth 8 "BMP3:$WALL"

# place WM TX TY: the picture is dropped with its corner at TX, TY.
place() {
    local wm=$1 tx=$2 ty=$3
    for _ in $(seq 900); do  # plasmashell lays out its first panel slowly
        [[ $(xprop -root _NET_WORKAREA 2>/dev/null) =~ =\ ([0-9]+),\ ([0-9]+),\ 1280,\ ([0-9]+) ]] &&
            [[ ${BASH_REMATCH[3]} != 800 ]] && break
        sleep 0.1
    done
    local area
    area=$(xprop -root _NET_WORKAREA | cut -d' ' -f3-6)
    area=${area%,}  # one workspace's area, or the first of several
    [[ $area =~ ^[0-9]+,\ [0-9]+,\ 1280,\ [0-9]+$ && $area != "0, 0, 1280, 800" ]] ||
        fail "$wm: the panel keeps no room ($area)"
    reg_set Wallpaper "$WALL"
    reg_set TileWallpaper 0
    start_program
    read -r mx my _ _ < <(window_geometry "$MAIN_WIN")
    click_at $((mx + 118)) $((my + 14))  # "Drag Calendar"
    local form fx fy fw fh
    form=$(wait_placement) || fail "$wm: the placement window did not open"
    sleep 1
    read -r fx fy fw fh < <(window_geometry "$form")
    echo "$wm: work area $area; placement window at $fx,$fy ${fw}x$fh"
    [[ "$fx $fy $fw $fh" == "0 0 1280 800" ]] || fail "$wm: the window does not cover the screen"
    xdotool mousemove --sync 40 30 mousedown 1
    xdotool mousemove --sync 140 130
    xdotool mousemove --sync $((tx + 40)) $((ty + 30))
    sleep 0.2
    xdotool mouseup 1
    xdotool mousemove 1279 400
    sleep 0.5
    local dropped file
    dropped=$(ink "$(shot "dropped-$wm")" $((tx - 10)) $((ty - 10)) 330 190)
    xdotool mousemove --sync $((tx + 150)) $((ty + 80)) click --repeat 2 --delay 80 1
    sleep 0.5
    xdotool mousemove --sync 600 400 click --repeat 2 --delay 80 1
    placement_closes || fail "$wm: the window stayed open after finishing"
    file=$(ink "$OUT" $((tx - 10)) $((ty - 10)) 330 190)
    echo "$wm: ink dropped $dropped, in Tessavel.bmp $file"
    local dx dy dw dh px py pw ph
    read -r dx dy dw dh <<<"$dropped"
    read -r px py pw ph <<<"$file"
    [[ "$dx" != none && "$px" != none ]] || fail "$wm: no calendar found"
    ((px - dx <= 1 && dx - px <= 1 && py - dy <= 1 && dy - py <= 1)) ||
        fail "$wm: the calendar landed at $px,$py, dropped at $dx,$dy"
    click_at $((mx + 36)) $((my + 14))  # "Close"
    wait_exit 10 || fail "$wm: the program did not end"
}

if [[ $MODE == kde ]]; then
    # No compositing (no GPU here); plasmashell renders in software and makes
    # its first-start layout, a panel along the bottom, in the fresh home.
    KWIN_COMPOSE=N kwin_x11 >"$E2E_TMP/kwin.log" 2>&1 &
    SESSION_PIDS+=($!)
    QT_QUICK_BACKEND=software LIBGL_ALWAYS_SOFTWARE=1 KDE_FULL_SESSION=true \
        XDG_CURRENT_DESKTOP=KDE plasmashell --no-respawn >"$E2E_TMP/plasma.log" 2>&1 &
    SESSION_PIDS+=($!)
    place kwin_x11 300 630  # reaching under the bottom panel
    echo "PASS"
    exit 0
fi

xfconfd=/usr/lib/x86_64-linux-gnu/xfce4/xfconf/xfconfd
"$xfconfd" >"$E2E_TMP/xfconfd.log" 2>&1 &
SESSION_PIDS+=($!)
xfwm4 >"$E2E_TMP/xfwm4.log" 2>&1 &
SESSION_PIDS+=($!)
xfce4-panel >"$E2E_TMP/xfce4-panel.log" 2>&1 &
SESSION_PIDS+=($!)
place xfwm4 500 10  # reaching under the top panel
stop_session

openbox >"$E2E_TMP/openbox.log" 2>&1 &
SESSION_PIDS+=($!)
lxpanel --profile default >"$E2E_TMP/lxpanel.log" 2>&1 &
SESSION_PIDS+=($!)
place openbox 300 630  # reaching under the bottom panel
echo "PASS"
