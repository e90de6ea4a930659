#include "mainwindow/WindowHarness.h"

#include <QTest>

#include "calendar/MonthDrawing.h"
#include "toolkit/FontSubstitutes.h"
#include "toolkit/OptionButton.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Units.h"

using mainwindow::MainWindow;

namespace {

// The fakes come first, so that they are made before the window and outlive it.
struct OwnFakes {
    explicit OwnFakes(QDate today) { fakes.clock = FixedClock(today); }
    FakeServices fakes;
};

class HarnessWindow : private OwnFakes, public MainWindow {
public:
    explicit HarnessWindow(QDate today) : OwnFakes(today), MainWindow(fakes.services()) {}
    using OwnFakes::fakes;
};

}  // namespace

std::unique_ptr<MainWindow> startForm(const QString& iniFile, QDate today) {
    tk::registerFontSubstitutes();  // as the program does at start
    std::unique_ptr<MainWindow> form = std::make_unique<HarnessWindow>(today);
    form->setSettingsPath(iniFile);
    form->load();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) {
        qWarning("main window not exposed");
    }
    return form;
}

FakeServices& fakesOf(MainWindow& form) {
    return dynamic_cast<HarnessWindow&>(form).fakes;
}

QImage expectedPreview(MainWindow& form, int year, int month) {
    const tk::PictureSurface& shown = *form.preview->surface();
    auto paper = std::make_shared<tk::PictureSurface>(shown.pixelSize());
    paper->setPalette(form.preview->palette());
    paper->setBackColor(shown.backColor());
    paper->clear();
    std::array<int32_t, 4> colors{};
    for (size_t k = 0; k < colors.size(); ++k) {
        colors[k] = form.kindButtons[k]->textColor();
    }
    calendar::drawMonth(*paper, QPointF(0, 0), QDate(year, month, 1),
                        calendar::styleFor(shown.font(), colors, paper->palette()));
    return paper->image();
}

bool regionHas(const QImage& img, const QRect& r, const QColor& want) {
    const QRect area = r.intersected(img.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (std::abs(c.red() - want.red()) < 48 && std::abs(c.green() - want.green()) < 48 &&
                std::abs(c.blue() - want.blue()) < 48) {
                return true;
            }
        }
    }
    return false;
}

QRect dayCell(int row, int column, double f) {
    const double px = tk::pixelsPerUnitX(tk::Unit::Points);
    return QRect(qRound((2 * column + 1) * f * px), qRound((row + 3) * f * px),
                 qRound(1.6 * f * px), qRound(f * px));
}
