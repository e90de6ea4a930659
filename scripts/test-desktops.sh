#!/usr/bin/env bash
# Opt-in tests against desktops too large for scripts/test.sh.
#   scripts/test-desktops.sh kde      installs Debian's plasmashell (plasma-workspace
#                                     and the plasma-desktop shell, about 400
#                                     packages) and runs the KDE backend against it
#                                     on a virtual X server and a private bus, then
#                                     one placement under kwin_x11 with Plasma's
#                                     panel (tests/e2e/panels.sh kde).
#   scripts/test-desktops.sh gnome    installs what scripts/test.sh does (gnome-shell
#                                     among it) and runs tests/e2e/desktop_gnome.sh
#                                     alone (scripts/test.sh runs it too): the
#                                     placement on the release's own GNOME Shell.
#   scripts/test-desktops.sh stable   Debian 13 (trixie) and its desktops in a chroot
#   scripts/test-desktops.sh current  Debian unstable (sid) and its desktops in a chroot
# stable and current need root (debootstrap, chroot, mounts) and about 6 GB
# under /var/tmp/tessaryn-desktops (or $DESKTOPS_CACHE). The chroot is made
# once and kept while its package list stays the same; the project is built
# in it with that release's Qt (kept too, so later runs only rebuild what
# changed), and scripts/real-desktops.sh runs each desktop for real there,
# printing one line per desktop: "real DESKTOP VERSION: passed", "failed: ..."
# or "blocked: REASON". "real gnome-shell-tiled" is the placement on a tiled
# wallpaper on GNOME Shell headless on Wayland (tests/e2e/desktop_gnome_tiled.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

# The desktops each release is tested against and the tools their tests use;
# what the project itself needs to build and run comes from scripts/deps.sh
# inside the chroot (not --test: unstable lacks some of the desktops that
# scripts/test.sh covers, such as nitrogen).
DESKTOP_PKGS=(
    libgtest-dev xvfb xauth x11-utils x11-xserver-utils imagemagick xdotool
    dbus dbus-x11 libglib2.0-bin dconf-service dconf-gsettings-backend gsettings-desktop-schemas
    xfdesktop4 xfconf
    sway swaybg grim
    pcmanfm-qt
    plasma-workspace plasma-desktop
    gnome-shell python3-dbusmock xwayland
)
# Hyprland's hyprctl and hyprpaper (not in Debian 13); hyprwire builds the
# stand-in for hyprpaper's side of hyprctl. From Plasma 6.6 tiling is a
# wallpaper plugin of its own, org.kde.tiled.
CURRENT_PKGS=(hyprland hyprpaper libhyprwire-dev hyprwire-scanner libhyprutils-dev
    plasma-wallpapers-addons)

chroot_run() {
    local suite=$1
    [[ $(id -u) -eq 0 ]] || { echo "$0 ${2}: run as root (debootstrap, chroot and mounts need it)" >&2; exit 2; }
    command -v debootstrap >/dev/null ||
        apt-get install -y -qq -o DPkg::Lock::Timeout=300 debootstrap >/dev/null
    local cache=${DESKTOPS_CACHE:-/var/tmp/tessaryn-desktops}
    local root=$cache/$suite
    local mirror
    mirror=$(grep -rhE '^(URIs:|deb )' /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null |
        grep -m1 -oE 'https?://[^ ]+/debian/?( |$)' | tr -d ' ' || true)
    mirror=${mirror:-http://deb.debian.org/debian}
    local pkgs=("${DESKTOP_PKGS[@]}")
    [[ $suite == sid ]] && pkgs+=("${CURRENT_PKGS[@]}")
    local key
    key=$(printf '%s\n' "$suite" "${pkgs[@]}" | cat - scripts/deps.sh | sha256sum | cut -c1-16)
    mkdir -p "$cache"

    CHROOT=$root
    unmount() {
        for m in dev/shm dev/pts dev proc; do
            umount "$CHROOT/$m" 2>/dev/null || true
        done
    }
    trap unmount EXIT
    unmount
    if [[ "$(cat "$root/.tessaryn-packages" 2>/dev/null)" != "$key" ]]; then
        if grep -q " $root/" /proc/mounts; then
            echo "$root still has mounts; not replacing it" >&2
            exit 2
        fi
        echo "Making the $suite chroot in $root (package list $key)"
        if [[ ! -f $cache/$suite.debootstrap.tar ]]; then
            rm -rf "$cache/$suite.base"
            debootstrap --variant=minbase "$suite" "$cache/$suite.base" "$mirror" \
                >"$cache/$suite.base.log" 2>&1 || { tail -5 "$cache/$suite.base.log"; exit 1; }
            tar -C "$cache/$suite.base" -cf "$cache/$suite.debootstrap.tar" .
            rm -rf "$cache/$suite.base"
        fi
        rm -rf "$root"
        mkdir -p "$root"
        tar -C "$root" -xf "$cache/$suite.debootstrap.tar"
        cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
        # A mirror that is a snapshot serves unstable's Release file past its
        # validity; its packages are still what the chroot should get.
        echo 'Acquire::Check-Valid-Until "false";' >"$root/etc/apt/apt.conf.d/99tessaryn-snapshot"
        # Without a sync after every file dpkg unpacks a thousand packages
        # several times faster; a chroot that breaks is made again anyway.
        echo 'DPkg::Options { "--force-unsafe-io"; };' >"$root/etc/apt/apt.conf.d/99tessaryn-unsafe-io"
    fi
    mount -t proc proc "$root/proc"
    mount --bind /dev "$root/dev"
    # Private, so that nothing mounted below reaches this machine's /dev.
    mount --make-private "$root/dev"
    mount --bind /dev/pts "$root/dev/pts" 2>/dev/null || true
    mount -t tmpfs -o mode=1777 tessaryn-shm "$root/dev/shm"
    # Xwayland needs the X socket folder; GNOME Shell's X11 services wait for
    # ever on their systemd unit unless a cgroup folder exists (empty will do).
    mkdir -p "$root/tmp/.X11-unix" "$root/sys/fs/cgroup"
    chmod 1777 "$root/tmp/.X11-unix"

    # The project as it is here, its tracked and new files. Only files whose
    # content changed are written (with the time of writing), so the build kept
    # in the chroot redoes exactly what changed.
    local incoming=$root/home/tester/incoming
    rm -rf "$incoming"
    mkdir -p "$incoming" "$root/home/tester/project"
    git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf - |
        tar -C "$incoming" -xf -
    (cd "$incoming" && find . -type f -print0) | while IFS= read -r -d '' f; do
        if ! cmp -s "$incoming/$f" "$root/home/tester/project/$f"; then
            mkdir -p "$(dirname "$root/home/tester/project/$f")"
            cp "$incoming/$f" "$root/home/tester/project/$f"
        fi
    done
    rm -rf "$incoming"
    local in=(chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin
        LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive)
    if [[ "$(cat "$root/.tessaryn-packages" 2>/dev/null)" != "$key" ]]; then
        "${in[@]}" bash -c "apt-get update -qq && cd /home/tester/project && scripts/deps.sh &&
            apt-get install -y -qq --no-install-recommends ${pkgs[*]}" \
            >"$cache/$suite.install.log" 2>&1 || { tail -20 "$cache/$suite.install.log"; exit 1; }
        echo "$key" >"$root/.tessaryn-packages"
    fi
    "${in[@]}" bash /home/tester/project/scripts/real-desktops.sh
}

main() {
    case "${1:-}" in
    kde)
        scripts/deps.sh --test
        if ! command -v plasmashell kwin_x11 >/dev/null ||
            [[ ! -d /usr/share/plasma/shells/org.kde.plasma.desktop ]]; then
            SUDO=""
            [[ $(id -u) -ne 0 ]] && SUDO="sudo"
            $SUDO apt-get -o DPkg::Lock::Timeout=300 update -qq
            $SUDO env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 \
                install -y -qq --no-install-recommends plasma-workspace plasma-desktop kwin-x11
        fi
        scripts/build.sh
        local build
        build=$(cd "${BUILD_DIR:-build}" && pwd)
        "$build/tests/system/desktop/desktop_kde_real_test"
        TESSARYN="$build/src/app/tessaryn" TESSARYN_REG="$build/src/app/tessaryn-reg" \
            PIXELPROBE="$build/tests/e2e/pixelprobe" bash tests/e2e/panels.sh kde
        ;;
    gnome)
        scripts/deps.sh --test
        scripts/build.sh tessaryn tessaryn-reg pixelprobe
        local build
        build=$(cd "${BUILD_DIR:-build}" && pwd)
        TESSARYN="$build/src/app/tessaryn" TESSARYN_REG="$build/src/app/tessaryn-reg" \
            PIXELPROBE="$build/tests/e2e/pixelprobe" bash tests/e2e/desktop_gnome.sh
        ;;
    stable) chroot_run trixie stable ;;
    current) chroot_run sid current ;;
    *)
        echo "usage: $0 kde|gnome|stable|current" >&2
        exit 2
        ;;
    esac
}
# One line, read whole before it runs: editing this file during a run is safe.
main "$@"; exit
