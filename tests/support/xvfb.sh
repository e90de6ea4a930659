# xvfb_start GEOMETRY LOG: starts a private Xvfb, sets XVFB_PID and exports
# DISPLAY. Sourced by the end-to-end scripts and the benchmarks.
#
# Clients reach it only through its socket file in /tmp/.X11-unix: no TCP,
# and no abstract socket (-nolisten local), which is shared with every chroot
# on the machine, so that a server there and one here never meet. Xvfb's own
# choice of a display (-displayfd) notices a display in use only by that
# abstract socket, and takes no lock file, so the number is chosen here: the
# first one that no lock file, socket file or abstract socket claims. The lock
# file Xvfb then takes settles a race with another run: the loser ends and
# the next number is tried.
xvfb_start() {
    local geometry=$1 log=$2 n
    [[ -d /tmp/.X11-unix ]] || mkdir -m 1777 /tmp/.X11-unix
    for n in $(seq 20 199); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        grep -q " @/tmp/.X11-unix/X$n\$" /proc/net/unix && continue
        # -noreset: without it the server resets when its last client leaves
        # (the readiness probe below), and a client that connects during that
        # reset is turned away; under load the program then could not start.
        Xvfb ":$n" -screen 0 "$geometry" -noreset -nolisten tcp -nolisten local >"$log" 2>&1 &
        XVFB_PID=$!
        # Ready once its lock file names it and a client gets through: its
        # socket file is there from bind(), before Xvfb listens on it.
        for _ in $(seq 200); do
            if [[ -S /tmp/.X11-unix/X$n ]] && [[ $(tr -d ' \n' </tmp/.X$n-lock 2>/dev/null) == "$XVFB_PID" ]] &&
                xdpyinfo -display ":$n" >/dev/null 2>&1; then
                export DISPLAY=":$n"
                return 0
            fi
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.05
        done
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    done
    XVFB_PID=""
    return 1
}
