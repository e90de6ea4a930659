// Tessaryn: puts a month calendar onto the desktop wallpaper.
#include <QApplication>
#include <QIcon>

#include "cli/CommandLine.h"
#include "mainwindow/MainWindow.h"
#include "system/QtMessageFilter.h"
#include "system/desktop/DesktopFactory.h"
#include "toolkit/Clock.h"
#include "toolkit/FontSubstitutes.h"
#include "toolkit/Messages.h"
#include "toolkit/Translations.h"
#include "toolkit/fontdialog/Dialogs.h"

namespace {

// The window, as the program has always started.
int runWindow(int argc, char** argv) {
    // Windows are placed over the wallpaper through X11: on a Wayland session
    // with XWayland, run there unless the user chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaryn"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tessaryn.png")));
    tk::registerFontSubstitutes();
    tk::installTranslations();
    const std::unique_ptr<desktop::DesktopBackend> desktop = desktop::desktopFromEnvironment();
    tk::MessageBoxes messages;
    tk::ModalDialogs dialogs;
    const tk::SystemClock clock;

    mainwindow::MainWindow form({*desktop, messages, dialogs, clock});
    QObject::connect(&form, &mainwindow::MainWindow::unloaded, &app,
                     [] { QCoreApplication::exit(0); });
    form.load();
    form.show();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    sys::dropRuntimeDirWarning();
    // refresh, restore, list, forget and compose run without the window.
    return cli::runCommandLine(argc, argv, runWindow);
}
