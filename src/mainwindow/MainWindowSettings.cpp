// The main window's settings file: where it lives, reading it while the
// window loads and writing it when the window unloads. The reader spells the
// font section "Fontsetting" for some keys and the writer "FontSetting"
// throughout; names match without regard to case, so both find the same one.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include "mainwindow/MainWindow.h"
#include "system/profile/SettingsFile.h"
#include "system/profile/SettingsLocation.h"
#include "toolkit/OptionButton.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Units.h"

namespace mainwindow {

namespace {

QString boolText(bool b) {
    return b ? QStringLiteral("True") : QStringLiteral("False");
}

// A window is never larger than the desktop's available area, as a window
// manager limits it to its maximum size, and one that would lie wholly
// outside every screen comes back onto the primary screen. Anything else
// stays exactly as read.
QRect onDesktop(const QRect& wanted) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr) {
        return wanted;
    }
    QRect placed(wanted.topLeft(), wanted.size().boundedTo(primary->availableVirtualSize()));
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->geometry().intersects(placed)) {
            return placed;
        }
    }
    placed.moveTopLeft(primary->availableGeometry().topLeft());
    return placed;
}

}  // namespace

void MainWindow::locateSettingsFile() {
    settingsPath_ = sys::settingsFilePath(QCoreApplication::applicationDirPath());
}

void MainWindow::loadSettings() {
    const sys::SettingsFile settings(settingsPath_);  // a dozen values, one read of the file
    const auto number = [&](const QString& section, const QString& key) {
        return settings.number(section, key).value_or(-1);
    };

    // Position and size in twips. Left and top apply as read (a missing key's
    // -1 puts the window in the top-left corner); a size of 0 or less, or a
    // missing one, keeps the design size. The size is the window's inner
    // size: the frame around it belongs to the window manager.
    const int32_t top = number(QStringLiteral("FormPos"), QStringLiteral("Top"));
    const int32_t left = number(QStringLiteral("FormPos"), QStringLiteral("Left"));
    const int32_t height = number(QStringLiteral("FormPos"), QStringLiteral("Height"));
    const int32_t width = number(QStringLiteral("FormPos"), QStringLiteral("Width"));
    QRect wanted(QPoint(qRound(tk::twipsToPixelsX(left)), qRound(tk::twipsToPixelsY(top))), size());
    if (height > 0 && width > 0) {
        wanted.setSize({std::max(1, qRound(tk::twipsToPixelsX(width))),
                        std::max(1, qRound(tk::twipsToPixelsY(height)))});
    }
    const QRect placed = onDesktop(wanted);
    move(placed.topLeft());
    resize(placed.size());

    const QString face =
        settings.text(QStringLiteral("FontSetting"), QStringLiteral("Name")).value_or(QString());
    std::array<int32_t, 4> color{};
    for (size_t k = 0; k < 4; ++k) {
        color[k] = number(QStringLiteral("Fontsetting"), QStringLiteral("Color%1").arg(k));
        if (color[k] < 0) {
            color[k] = kindButtons[k]->textColor();  // the design colour stays
        } else {
            kindButtons[k]->setTextColor(color[k]);
        }
    }
    const auto flag = [&](const char* key) {
        return settings.text(QStringLiteral("Fontsetting"), QString::fromLatin1(key)) ==
               QStringLiteral("True");
    };
    const bool italic = flag("Italic");
    const bool bold = flag("Bold");
    const bool underline = flag("Underline");

    tk::PictureSurface& paper = *preview->surface();
    QFont font = paper.font();
    if (!face.isEmpty()) {
        font.setFamily(face);
    }
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    paper.setFont(font);
}

void MainWindow::saveSettings() {
    // The values in the order they are written; the file takes them in one
    // replacement. A settings file that cannot be written loses the settings
    // silently.
    const QFont font = preview->surface()->font();
    const QString fontSection = QStringLiteral("FontSetting");
    const QString posSection = QStringLiteral("FormPos");
    std::vector<sys::SettingsChange> writes{{fontSection, QStringLiteral("Name"), font.family()}};
    for (size_t k = 0; k < 4; ++k) {
        writes.push_back({fontSection, QStringLiteral("Color%1").arg(k),
                          QString::number(kindButtons[k]->textColor())});
    }
    const auto twips = [](double v) { return QString::number(qRound(v)); };
    writes.push_back({posSection, QStringLiteral("Top"), twips(tk::pixelsToTwipsY(y()))});
    writes.push_back({posSection, QStringLiteral("Left"), twips(tk::pixelsToTwipsX(x()))});
    writes.push_back({posSection, QStringLiteral("Height"), twips(tk::pixelsToTwipsY(height()))});
    writes.push_back({posSection, QStringLiteral("Width"), twips(tk::pixelsToTwipsX(width()))});
    writes.push_back({fontSection, QStringLiteral("Italic"), boolText(font.italic())});
    writes.push_back({fontSection, QStringLiteral("Bold"), boolText(font.bold())});
    writes.push_back({fontSection, QStringLiteral("Underline"), boolText(font.underline())});
    (void)sys::SettingsFile(settingsPath_).write(writes);
}

}  // namespace mainwindow
