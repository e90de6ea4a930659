// Starts exactly as the program does and prints, on the first paint of the
// preview, the wall-clock time in nanoseconds; then quits. bench/startup.sh
// subtracts the moment it launched the process.
#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>

#include "mainwindow/MainWindow.h"
#include "system/desktop/DesktopFactory.h"
#include "toolkit/Clock.h"
#include "toolkit/FontSubstitutes.h"
#include "toolkit/Messages.h"
#include "toolkit/PictureBox.h"
#include "toolkit/fontdialog/Dialogs.h"

using mainwindow::MainWindow;

namespace {

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Report once this paint has been handled.
            QTimer::singleShot(0, [] {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                std::printf("%lld\n",
                            static_cast<long long>(
                                std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tk::registerFontSubstitutes();
    const std::unique_ptr<desktop::DesktopBackend> desktop = desktop::desktopFromEnvironment();
    tk::MessageBoxes messages;
    tk::ModalDialogs dialogs;
    const tk::SystemClock clock;
    mainwindow::MainWindow form({*desktop, messages, dialogs, clock});
    FirstPaint probe;
    form.preview->installEventFilter(&probe);
    form.load();
    form.show();
    return QApplication::exec();
}
