#pragma once
// The main window: month and year lists, the four kinds of calendar text
// with their colours, the font command, the preview box, "Drag Calendar" and
// "Close". Its controls hold the program's state: the chosen month and year,
// the shared calendar font (the preview box's) and the four colours (the text
// colours of the option buttons).

#include <QWidget>
#include <array>

#include "placement/CalendarChoice.h"
#include "placement/PlacementStart.h"
#include "placement/Services.h"
#include "system/wallpaper/WallpaperStore.h"
#include "toolkit/fontdialog/FontChoice.h"

class QComboBox;
class QGroupBox;
class QPushButton;

namespace tk {
class OptionButton;
class PictureBox;
}  // namespace tk

namespace mainwindow {

class MainWindow : public QWidget, public placement::CalendarChoice {
    Q_OBJECT
public:
    // `services` (the desktop, the message boxes, the clock) must outlive the
    // window.
    explicit MainWindow(const placement::Services& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Loads the window (settings, lists, selections, font button, preview).
    // Call once before showing it.
    void load();

    // The settings file; the window finds its own when it is created.
    QString settingsPath() const { return settingsPath_; }
    void setSettingsPath(const QString& path) { settingsPath_ = path; }

    // The controls, named as everywhere in the program.
    QComboBox* yearList = nullptr;
    QComboBox* monthList = nullptr;
    QPushButton* dragButton = nullptr;
    QPushButton* closeButton = nullptr;
    tk::PictureBox* preview = nullptr;
    QGroupBox* fontGroup = nullptr;
    QPushButton* fontButton = nullptr;
    std::array<tk::OptionButton*, 4> kindButtons{};

    // CalendarChoice: what the placement window reads from here.
    int year() const override;
    int month() const override;
    int32_t kindColor(int index) const override;

    // The preview; also run after the font command.
    void drawPreview();

    // Font size for a preview box of this inner size (in its unit): the
    // calendar needs about 16 font sizes across and 9.5 down, so the tighter
    // direction decides.
    static int32_t previewFontSize(double scaleWidth, double scaleHeight);
    // The font size the preview draws its calendar in now; 0 when the preview
    // is too small to hold one (and then shows none).
    int32_t previewCalendarSize() const;

    // The design inner size of the window, in pixels.
    static QSize designInnerSize();

signals:
    // After the settings are written and just before the program ends.
    void unloaded();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void initialize();
    void restoreState();
    void fitPreview();
    void saveAndQuit();
    void monthChosen();
    void yearChosen();
    void closeProgram();
    void startPlacement();
    void chooseFont();
    void showFontName();

    void createControls();
    void createDateLists();
    void createButtons();
    void createPreview();
    void createFontGroup();
    void setKeyboardOrder();
    void connectControls();
    // The settings file: its path is fixed at creation, it is read as the
    // first step of loading and written at unload.
    void locateSettingsFile();
    void loadSettings();
    void saveSettings();

    placement::Services services_;
    placement::PlacementStart placement_;
    QString settingsPath_;
    // The desktop wallpaper as the last "Drag Calendar" read it.
    sys::WallpaperSettings wallpaper_;
    bool unloaded_ = false;
    // The font dialog's last confirmed choice: the next opening shows its
    // strikethrough, which the preview font does not bring back.
    tk::FontChoice lastFontChoice_;
};

}  // namespace mainwindow
