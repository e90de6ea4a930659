// The hyprpaper side of `hyprctl hyprpaper ...` for a machine where hyprpaper
// cannot run (it needs a compositor giving xdg_wm_base at most version 5, and
// Hyprland a GPU render node). It serves what the real hyprctl talks to:
//  - hyprpaper's socket $XDG_RUNTIME_DIR/hypr/$HYPRLAND_INSTANCE_SIGNATURE/
//    .hyprpaper.sock with the hyprpaper_core protocol, revision 2, over
//    hyprwire, as hyprpaper 0.8.4 does in src/ipc/IPC.cpp (wallpaper objects:
//    path, fit_mode, monitor_name, apply -> success or failed; status objects:
//    one active_wallpaper event per monitor showing a picture). Which setting
//    a monitor shows follows src/config/WallpaperMatcher.cpp: a monitor's own
//    name or a "desc:" prefix of its description first, then the wildcard
//    ("" or "*"). hyprpaper_core.xml beside this file is
//    hw-protocols/hyprpaper_core.xml of hyprpaper 0.8.4.
//  - Hyprland's request socket .socket.sock, for `hyprctl monitors` (hyprctl
//    0.57, hyprctl/src/main.cpp request(): one request written, the answer
//    read until the server closes), answered with the fields of
//    src/ipc/s1/Commands.cpp getMonitorData.
// After every change it writes what each monitor shows to STATE_FILE, one
// line per monitor: NAME<TAB>FIT<TAB>PATH.
//   usage: hyprpaper-standin STATE_FILE NAME:DESCRIPTION... [-- MON,PATH,FIT...]

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <hyprpaper_core-server.hpp>
#include <hyprwire/hyprwire.hpp>
#include <string>
#include <vector>

using Hyprutils::Memory::CSharedPointer;
using Hyprutils::Memory::makeShared;

namespace {

struct Monitor {
    std::string name, description;
};
struct Setting {
    std::string monitor, fit, path;
};

std::vector<Monitor> monitors;
std::vector<Setting> settings;  // the latest setting of each monitor string
std::string stateFile;

bool isWildcard(const std::string& m) {
    return m.empty() || m == "*";
}

const Setting* shownOn(const Monitor& m) {
    for (const Setting& s : settings) {
        if (!isWildcard(s.monitor) &&
            (s.monitor == m.name || ("desc:" + m.description).starts_with(s.monitor))) {
            return &s;
        }
    }
    for (const Setting& s : settings) {
        if (isWildcard(s.monitor)) {
            return &s;
        }
    }
    return nullptr;
}

bool outputExists(const std::string& s) {
    for (const Monitor& m : monitors) {
        if (m.name == s || "desc:" + m.description == s) {
            return true;
        }
    }
    return false;
}

void writeState() {
    const std::string temporary = stateFile + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        for (const Monitor& m : monitors) {
            if (const Setting* s = shownOn(m)) {
                out << m.name << '\t' << s->fit << '\t' << s->path << '\n';
            }
        }
    }
    std::filesystem::rename(temporary, stateFile);
}

void addSetting(Setting s) {
    std::erase_if(settings, [&s](const Setting& e) { return e.monitor == s.monitor; });
    settings.push_back(std::move(s));
    writeState();
}

std::string fitName(hyprpaperCoreWallpaperFitMode m) {
    switch (m) {
        case HYPRPAPER_CORE_WALLPAPER_FIT_MODE_CONTAIN:
            return "contain";
        case HYPRPAPER_CORE_WALLPAPER_FIT_MODE_TILE:
            return "tile";
        case HYPRPAPER_CORE_WALLPAPER_FIT_MODE_STRETCH:
            return "fit";
        default:
            return "cover";
    }
}

// One wallpaper object: its requests collected until apply, then checked as
// hyprpaper checks them.
struct Wallpaper {
    CSharedPointer<CHyprpaperWallpaperObject> object;
    std::string path, monitor;
    hyprpaperCoreWallpaperFitMode fit = HYPRPAPER_CORE_WALLPAPER_FIT_MODE_COVER;

    void apply() {
        std::error_code ec;
        if (!monitor.empty() && !outputExists(monitor)) {
            object->sendFailed(HYPRPAPER_CORE_APPLYING_ERROR_INVALID_MONITOR);
        } else if (path.empty() || path[0] != '/' || !std::filesystem::exists(path, ec) || ec) {
            object->sendFailed(HYPRPAPER_CORE_APPLYING_ERROR_INVALID_PATH);
        } else {
            addSetting({monitor, fitName(fit), path});
            object->sendSuccess();
        }
    }
};

std::vector<CSharedPointer<CHyprpaperCoreManagerObject>> managers;
std::vector<CSharedPointer<Wallpaper>> wallpapers;
std::vector<CSharedPointer<CHyprpaperStatusObject>> statuses;

void serveHyprpaper(const CSharedPointer<Hyprwire::IServerSocket>& socket,
                    CSharedPointer<Hyprwire::IObject> bound) {
    auto manager = managers.emplace_back(makeShared<CHyprpaperCoreManagerObject>(std::move(bound)));
    CHyprpaperCoreManagerObject* m = manager.get();
    manager->setGetWallpaperObject([socket, m](uint32_t id) {
        auto w = wallpapers.emplace_back(makeShared<Wallpaper>());
        w->object = makeShared<CHyprpaperWallpaperObject>(socket->createObject(
            m->getObject()->client(), m->getObject(), "hyprpaper_wallpaper", id));
        Wallpaper* raw = w.get();
        w->object->setPath([raw](const char* s) { raw->path = s; });
        w->object->setMonitorName([raw](const char* s) { raw->monitor = s; });
        w->object->setFitMode([raw](hyprpaperCoreWallpaperFitMode f) { raw->fit = f; });
        w->object->setApply([raw]() { raw->apply(); });
    });
    manager->setGetStatusObject([socket, m](uint32_t id) {
        auto s = statuses.emplace_back(makeShared<CHyprpaperStatusObject>(socket->createObject(
            m->getObject()->client(), m->getObject(), "hyprpaper_status", id)));
        for (const Monitor& mon : monitors) {
            if (const Setting* shown = shownOn(mon)) {
                s->sendActiveWallpaper(mon.name.c_str(), shown->path.c_str());
            }
        }
    });
}

std::string monitorsAnswer(bool json) {
    std::string out = json ? "[" : "";
    for (size_t i = 0; i < monitors.size(); ++i) {
        const Monitor& m = monitors[i];
        if (json) {
            out += (i ? ",{" : "{") + std::string("\n    \"id\": ") + std::to_string(i) +
                   ",\n    \"name\": \"" + m.name + "\",\n    \"description\": \"" + m.description +
                   "\",\n    \"make\": \"\",\n    \"model\": \"\",\n    \"serial\": \"\",\n"
                   "    \"width\": 320,\n    \"height\": 240,\n    \"x\": " +
                   std::to_string(320 * i) + ",\n    \"y\": 0,\n    \"scale\": 1.00,\n" +
                   "    \"focused\": " + (i ? "false" : "true") + "\n}";
        } else {
            out += "Monitor " + m.name + " (ID " + std::to_string(i) +
                   "):\n\tdescription: " + m.description + "\n\n";
        }
    }
    return json ? out + "]" : out;
}

int listen(const std::string& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    std::filesystem::remove(path);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(fd, 8) != 0) {
        std::perror(path.c_str());
        std::exit(1);
    }
    return fd;
}

void answerHyprland(int server) {
    const int client = accept(server, nullptr, nullptr);
    if (client < 0) {
        return;
    }
    char buffer[8192];
    const ssize_t n = read(client, buffer, sizeof(buffer) - 1);
    const std::string request(buffer, n > 0 ? static_cast<size_t>(n) : 0);
    const std::string command = request.substr(request.find('/') + 1);
    const std::string answer = command == "monitors" || command == "monitors all"
                                   ? monitorsAnswer(request.find('j') < request.find('/'))
                                   : "unknown request";
    (void)!write(client, answer.data(), answer.size());
    close(client);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s STATE_FILE NAME:DESCRIPTION... [-- MON,PATH,FIT...]\n",
                     argv[0]);
        return 2;
    }
    stateFile = argv[1];
    int i = 2;
    for (; i < argc && std::string(argv[i]) != "--"; ++i) {
        const std::string arg = argv[i];
        monitors.push_back({arg.substr(0, arg.find(':')), arg.substr(arg.find(':') + 1)});
    }
    for (++i; i < argc; ++i) {
        const std::string arg = argv[i];
        const size_t a = arg.find(','), b = arg.rfind(',');
        settings.push_back({arg.substr(0, a), arg.substr(b + 1), arg.substr(a + 1, b - a - 1)});
    }
    writeState();

    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const char* signature = std::getenv("HYPRLAND_INSTANCE_SIGNATURE");
    if (!runtime || !signature) {
        std::fprintf(stderr, "XDG_RUNTIME_DIR and HYPRLAND_INSTANCE_SIGNATURE must be set\n");
        return 2;
    }
    const std::string dir = std::string(runtime) + "/hypr/" + signature;
    std::filesystem::create_directories(dir);
    const int hyprland = listen(dir + "/.socket.sock");
    auto socket = Hyprwire::IServerSocket::open(dir + "/.hyprpaper.sock");
    if (!socket) {
        std::fprintf(stderr, "cannot open %s/.hyprpaper.sock\n", dir.c_str());
        return 1;
    }
    socket->addImplementation(makeShared<CHyprpaperCoreImpl>(
        2,
        [socket](CSharedPointer<Hyprwire::IObject> o) { serveHyprpaper(socket, std::move(o)); }));
    std::printf("ready\n");
    std::fflush(stdout);
    pollfd fds[2] = {{hyprland, POLLIN, 0}, {socket->extractLoopFD(), POLLIN, 0}};
    while (poll(fds, 2, -1) >= 0) {
        if (fds[0].revents & POLLIN) {
            answerHyprland(hyprland);
        }
        if (fds[1].revents & POLLIN) {
            socket->dispatchEvents(false);
        }
    }
    return 0;
}
