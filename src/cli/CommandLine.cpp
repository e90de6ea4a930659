#include "cli/CommandLine.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QRegularExpression>
#include <vector>

#include "cli/ComposeCommand.h"
#include "cli/Console.h"
#include "cli/RecordCommands.h"
#include "cli/RefreshTimer.h"
#include "composition/CalendarBounds.h"
#include "toolkit/FontSubstitutes.h"
#include "toolkit/Translations.h"
#include "toolkit/files/FileNames.h"

#ifndef TESSARYN_VERSION
#define TESSARYN_VERSION "unknown"
#endif

namespace cli {

using tk::Text;

namespace {

const char kUsage[] =
    "usage: tessaryn [refresh [--date YYYY-MM-DD] [--resume] [--enable-timer | --disable-timer] "
    "[--enable-autostart | --disable-autostart] | "
    "restore [--force] | list | forget N | compose --base PICTURE --year Y --month M --at X,Y "
    "--out FILE "
    "[options]] [--help] [--version]";

const char kHelp[] = QT_TRANSLATE_NOOP(
    "Tessaryn",
    "Puts a month calendar onto the desktop wallpaper.\n"
    "\n"
    "tessaryn                 opens the window (needs a display)\n"
    "tessaryn refresh         renews the calendar picture for this month from the kept original\n"
    "                         and every recorded calendar, and hands it to the desktop again\n"
    "    --date YYYY-MM-DD    renew for the month of this day instead of today\n"
    "    --resume             renew again after tessaryn restore\n"
    "    --enable-timer       run tessaryn refresh on the first of each month (systemd user "
    "timer)\n"
    "    --disable-timer      stop doing so\n"
    "    --disable-autostart  do not run tessaryn refresh at login (an override in\n"
    "                         ~/.config/autostart)\n"
    "    --enable-autostart   run it at login again\n"
    "tessaryn restore         puts the original wallpaper back; refresh then leaves it alone\n"
    "    --force              also where the desktop shows a picture tessaryn did not make\n"
    "tessaryn list            shows the recorded calendars with their numbers\n"
    "tessaryn forget N        forgets calendar N; the next refresh draws without it\n"
    "tessaryn compose         draws one calendar onto a picture, without any desktop\n"
    "    --base PICTURE       the picture to draw on\n"
    "    --year Y --month M   the month to show\n"
    "    --at X,Y             the calendar's top-left corner, in the picture's pixels\n"
    "                         (-1000000 to 1000000)\n"
    "    --font FACE          the face (default \"ＭＳ Ｐゴシック\")\n"
    "    --size PT            the size in points, 1 to 2000 (default 13, the preview's at its\n"
    "                         design size)\n"
    "    --style STYLE        regular (the default), or any of bold,italic,underline,strikeout\n"
    "    --color KIND=0xBBGGRR  the colour of month, sunday, saturday or weekday (repeatable;\n"
    "                         defaults white, red, blue, yellow)\n"
    "    --out FILE           the file to write; its extension picks the format (BMP by default)\n"
    "\n"
    "--help shows this text, --version the version.\n"
    "Exit status: 0 done (or nothing to do), 1 failed, 2 bad arguments.\n");

// Qt's own window options, which QApplication takes out of the arguments.
const QStringList& qtValueOptions() {
    static const QStringList o{
        QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
        QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
        QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowtitle"),
        QStringLiteral("qwindowicon"),     QStringLiteral("display"),
        QStringLiteral("style"),           QStringLiteral("stylesheet"),
        QStringLiteral("session"),         QStringLiteral("name"),
        QStringLiteral("title"),           QStringLiteral("visual"),
        QStringLiteral("geometry"),        QStringLiteral("qmljsdebugger")};
    return o;
}
const QStringList& qtFlagOptions() {
    static const QStringList o{QStringLiteral("reverse"),     QStringLiteral("nograb"),
                               QStringLiteral("dograb"),      QStringLiteral("sync"),
                               QStringLiteral("widgetcount"), QStringLiteral("testability")};
    return o;
}

QString bareName(const QString& arg) {
    QString n = arg;
    while (n.startsWith(QLatin1Char('-'))) {
        n.remove(0, 1);
    }
    return n.section(QLatin1Char('='), 0, 0);
}

int badArguments(const QString& why) {
    complain(why);
    std::fputs(kUsage, stderr);
    std::fputc('\n', stderr);
    return 2;
}

int printHelp() {
    tk::installTranslations();
    std::fputs((QString::fromUtf8(kUsage) + QStringLiteral("\n\n") + Text::tr(kHelp))
                   .toLocal8Bit()
                   .constData(),
               stdout);
    return 0;
}

int printVersion() {
    std::printf("tessaryn %s\n", TESSARYN_VERSION);
    return 0;
}

// The commands work without a window: Qt draws the calendar text on the
// offscreen platform, which needs no display.
struct CommandApp {
    std::vector<QByteArray> store;
    std::vector<char*> argv;
    int argc = 0;
    std::unique_ptr<QGuiApplication> app;

    explicit CommandApp(const char* program) {
        store = {QByteArray(program), QByteArray("-platform"), QByteArray("offscreen")};
        for (auto& s : store) {
            argv.push_back(s.data());
        }
        argv.push_back(nullptr);
        argc = static_cast<int>(store.size());
        app = std::make_unique<QGuiApplication>(argc, argv.data());
        QGuiApplication::setApplicationName(QStringLiteral("Tessaryn"));
        QGuiApplication::setApplicationVersion(QStringLiteral(TESSARYN_VERSION));
        tk::registerFontSubstitutes();
        tk::installTranslations();
    }
};

// One parser per command: its options, then --help.
struct Parsed {
    QCommandLineParser parser;
    int status = -1;  // -1: go on
};

void parseCommand(Parsed& p, const QStringList& rest, const QList<QCommandLineOption>& options) {
    p.parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    p.parser.addOptions(options);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    p.parser.addOption(help);
    if (!p.parser.parse(QStringList{QStringLiteral("tessaryn")} + rest)) {
        p.status = badArguments(p.parser.errorText());
        return;
    }
    if (p.parser.isSet(help)) {
        p.status = printHelp();
    }
}

int runRefresh(const QStringList& rest) {
    const QCommandLineOption date(QStringLiteral("date"), {}, QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption resume(QStringLiteral("resume"));
    const QCommandLineOption enable(QStringLiteral("enable-timer"));
    const QCommandLineOption disable(QStringLiteral("disable-timer"));
    const QCommandLineOption autostartOn(QStringLiteral("enable-autostart"));
    const QCommandLineOption autostartOff(QStringLiteral("disable-autostart"));
    Parsed p;
    parseCommand(p, rest, {date, resume, enable, disable, autostartOn, autostartOff});
    if (p.status >= 0) {
        return p.status;
    }
    if (!p.parser.positionalArguments().isEmpty()) {
        return badArguments(Text::tr("refresh takes no argument \"%1\"")
                                .arg(p.parser.positionalArguments().first()));
    }
    if (p.parser.isSet(enable) && p.parser.isSet(disable)) {
        return badArguments(Text::tr("--enable-timer and --disable-timer exclude each other"));
    }
    if (p.parser.isSet(autostartOn) && p.parser.isSet(autostartOff)) {
        return badArguments(
            Text::tr("--enable-autostart and --disable-autostart exclude each other"));
    }
    RefreshOptions o;
    if (p.parser.isSet(date)) {
        static const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
        const QString text = p.parser.value(date);
        o.date = QDate::fromString(text, Qt::ISODate);
        if (!iso.match(text).hasMatch() || !o.date.isValid()) {
            return badArguments(Text::tr("--date wants a day as YYYY-MM-DD, not \"%1\"").arg(text));
        }
    }
    o.resume = p.parser.isSet(resume);
    if (p.parser.isSet(enable)) {
        return enableTimer();
    }
    if (p.parser.isSet(disable)) {
        return disableTimer();
    }
    if (p.parser.isSet(autostartOn)) {
        return enableAutostart();
    }
    if (p.parser.isSet(autostartOff)) {
        return disableAutostart();
    }
    return refreshWallpaper(o);
}

int runCompose(const QStringList& rest) {
    const ComposeArguments arguments = readComposeArguments(rest);
    if (arguments.help) {
        return printHelp();
    }
    if (!arguments.error.isEmpty()) {
        return badArguments(arguments.error);
    }
    return composeOne(arguments.options);
}

int runSimple(const QString& command, const QStringList& rest) {
    const QCommandLineOption force(QStringLiteral("force"));
    const bool restore = command == QStringLiteral("restore");
    Parsed p;
    parseCommand(p, rest, restore ? QList<QCommandLineOption>{force} : QList<QCommandLineOption>{});
    if (p.status >= 0) {
        return p.status;
    }
    const QStringList args = p.parser.positionalArguments();
    if (command == QStringLiteral("forget")) {
        bool ok = false;
        const int n = args.size() == 1 ? args[0].toInt(&ok) : 0;
        if (!ok) {
            return badArguments(
                Text::tr("forget wants the number of one calendar (see tessaryn list)"));
        }
        return forgetCalendar(n);
    }
    if (!args.isEmpty()) {
        return badArguments(Text::tr("%1 takes no argument \"%2\"").arg(command, args.first()));
    }
    return restore ? restoreOriginal(p.parser.isSet(force)) : listCalendars();
}

}  // namespace

bool windowHasDisplay(const QStringList& arguments) {
    QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        if (bareName(arguments[i]) == QStringLiteral("platform")) {
            platform = arguments[i + 1];
        }
    }
    // "offscreen", "offscreen:fontengine=...", "wayland;xcb": the first choice counts.
    const QString first =
        platform.section(QLatin1Char(';'), 0, 0).section(QLatin1Char(':'), 0, 0).trimmed();
    static const QStringList headless{QStringLiteral("offscreen"),   QStringLiteral("minimal"),
                                      QStringLiteral("minimalegl"),  QStringLiteral("vnc"),
                                      QStringLiteral("eglfs"),       QStringLiteral("linuxfb"),
                                      QStringLiteral("vkkhrdisplay")};
    return headless.contains(first) || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

int runCommandLine(int argc, char** argv, WindowMain window) {
    QStringList args;
    for (int i = 0; i < argc; ++i) {
        // A file name that QString would change reaches no file at all.
        const std::optional<QString> arg = files::decodeName(argv[i]);
        if (!arg && i > 0) {
            tk::installTranslations();
            return badArguments(
                Text::tr("the argument \"%1\" is not valid UTF-8; names must be UTF-8")
                    .arg(files::shownBytes(argv[i])));
        }
        args << arg.value_or(QString::fromLocal8Bit(argv[i]));
    }
    const char* program = argc > 0 ? argv[0] : "tessaryn";
    static const QStringList commands{QStringLiteral("refresh"), QStringLiteral("restore"),
                                      QStringLiteral("list"), QStringLiteral("forget"),
                                      QStringLiteral("compose")};
    if (args.size() > 1 && commands.contains(args[1])) {
        // The application is there before the first message, which it
        // translates.
        CommandApp app(program);
        const QString command = args[1];
        const QStringList rest = args.mid(2);
        if (command == QStringLiteral("refresh")) {
            return runRefresh(rest);
        }
        if (command == QStringLiteral("compose")) {
            return runCompose(rest);
        }
        return runSimple(command, rest);
    }

    // The window: Qt's own options pass through to it, anything else is ours.
    QStringList ours{args.value(0)};
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const QString name = bareName(a);
        if (a.startsWith(QLatin1Char('-')) && qtValueOptions().contains(name)) {
            if (!a.contains(QLatin1Char('='))) {
                ++i;
            }
            continue;
        }
        if (a.startsWith(QLatin1Char('-')) && qtFlagOptions().contains(name)) {
            continue;
        }
        ours << a;
    }
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    if (!parser.parse(ours)) {
        return badArguments(parser.errorText());
    }
    if (parser.isSet(help)) {
        return printHelp();
    }
    if (parser.isSet(version)) {
        return printVersion();
    }
    if (!parser.positionalArguments().isEmpty()) {
        tk::installTranslations();
        return badArguments(
            Text::tr("unknown command \"%1\"").arg(parser.positionalArguments().first()));
    }
    if (!windowHasDisplay(args)) {
        tk::installTranslations();
        std::fputs(qPrintable(Text::tr("no display: set DISPLAY or WAYLAND_DISPLAY, or use "
                                       "tessaryn refresh / compose") +
                              QLatin1Char('\n')),
                   stderr);
        return 1;
    }
    return window(argc, argv);
}

}  // namespace cli
