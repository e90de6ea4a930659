#include "mainwindow/MainWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>

#include "calendar/MonthDrawing.h"
#include "toolkit/BusyPointer.h"
#include "toolkit/Clock.h"
#include "toolkit/OptionButton.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Rounding.h"
#include "toolkit/Screen.h"
#include "toolkit/Translations.h"
#include "toolkit/Units.h"

namespace mainwindow {

namespace {

constexpr int32_t kWhite = 0x00FFFFFF;
constexpr int32_t kRed = 0x000000FF;
constexpr int32_t kBlue = 0x00FF0000;
constexpr int32_t kYellow = 0x0000FFFF;
constexpr int32_t kGrey = 0x00808080;

// Design positions are in twips.
QRect twipsRect(double left, double top, double width, double height) {
    const int x = qRound(tk::twipsToPixelsX(left));
    const int y = qRound(tk::twipsToPixelsY(top));
    return {x, y, qRound(tk::twipsToPixelsX(width)), qRound(tk::twipsToPixelsY(height))};
}

}  // namespace

MainWindow::MainWindow(const placement::Services& services, QWidget* parent)
    : QWidget(parent), services_(services), placement_(services) {
    initialize();
    createControls();
}

MainWindow::~MainWindow() = default;

QSize MainWindow::designInnerSize() {
    return twipsRect(0, 0, 4680, 3900).size();
}

void MainWindow::createControls() {
    setWindowTitle(QStringLiteral("Tessaryn"));
    QFont windowFont(QStringLiteral("Times New Roman"));
    windowFont.setPointSizeF(9.75);
    setFont(windowFont);
    resize(designInnerSize());

    createDateLists();
    createButtons();
    createPreview();
    createFontGroup();
    setKeyboardOrder();
    connectControls();
}

void MainWindow::createDateLists() {
    yearList = new QComboBox(this);
    yearList->setObjectName(QStringLiteral("yearList"));
    yearList->addItems({QStringLiteral("1998"), QStringLiteral("1999")});
    yearList->setGeometry(twipsRect(2520, 60, 1155, 345));

    monthList = new QComboBox(this);
    monthList->setObjectName(QStringLiteral("monthList"));
    for (int m = 1; m <= 12; ++m) {
        monthList->addItem(QString::number(m));
    }
    monthList->setGeometry(twipsRect(3720, 60, 915, 345));
    // Both lists start without a selection; loading picks this month and year.
    yearList->setCurrentIndex(-1);
    monthList->setCurrentIndex(-1);
}

void MainWindow::createButtons() {
    dragButton = new QPushButton(tk::Text::tr("Drag Calendar"), this);
    dragButton->setObjectName(QStringLiteral("dragButton"));
    dragButton->setGeometry(twipsRect(1080, 60, 1395, 315));

    closeButton = new QPushButton(tk::Text::tr("Close"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setGeometry(twipsRect(60, 60, 975, 315));
    // "Close" is the cancel button: Esc presses it (keyPressEvent).
}

void MainWindow::createPreview() {
    preview = new tk::PictureBox(this);
    preview->setObjectName(QStringLiteral("preview"));
    preview->setBoxGeometry(twipsRect(60, 1380, 4515, 2175));
    preview->setFocusPolicy(Qt::StrongFocus);  // a tab stop, as designed
    tk::PictureSurface& paper = *preview->surface();
    paper.setBackColor(kWhite);
    QFont previewFont(QStringLiteral("ＭＳ Ｐゴシック"));
    previewFont.setPointSizeF(12);
    previewFont.setBold(true);
    previewFont.setItalic(true);
    paper.setFont(previewFont);
    paper.setScaleMode(tk::Unit::Twips);
    paper.clear();
}

// The grey group with the font button and one option button per kind of
// calendar text, each showing its colour; weekdays are chosen first.
void MainWindow::createFontGroup() {
    fontGroup = new QGroupBox(tk::Text::tr("Font Setting"), this);
    fontGroup->setObjectName(QStringLiteral("fontGroup"));
    fontGroup->setGeometry(twipsRect(60, 420, 4575, 915));
    fontGroup->setAutoFillBackground(true);
    {
        QPalette pal = fontGroup->palette();
        pal.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
        fontGroup->setPalette(pal);
    }

    fontButton = new QPushButton(tk::Text::tr("Change Font"), fontGroup);
    fontButton->setObjectName(QStringLiteral("fontButton"));
    fontButton->setGeometry(twipsRect(60, 240, 4455, 315));

    struct OptionDesign {
        const char* caption;
        double left, width;
        int32_t color;
    };
    const std::array<OptionDesign, 4> options{
        {{QT_TRANSLATE_NOOP("Tessaryn", "Month"), 60, 915, kWhite},
         {QT_TRANSLATE_NOOP("Tessaryn", "Sunday"), 1080, 1035, kRed},
         {QT_TRANSLATE_NOOP("Tessaryn", "Saturday"), 2100, 1035, kBlue},
         {QT_TRANSLATE_NOOP("Tessaryn", "Weekday"), 3240, 1275, kYellow}}};
    for (size_t k = 0; k < options.size(); ++k) {
        auto* opt = new tk::OptionButton(tk::Text::tr(options[k].caption), fontGroup);
        opt->setObjectName(QStringLiteral("kindButton%1").arg(k));
        opt->setGeometry(twipsRect(options[k].left, 600, options[k].width, 225));
        opt->setBackColor(kGrey);
        opt->setTextColor(options[k].color);
        kindButtons[k] = opt;
    }
    kindButtons.back()->setChecked(true);  // weekdays
}

void MainWindow::setKeyboardOrder() {
    // Tab order as designed.
    QWidget* order[] = {yearList,   monthList,      dragButton,     closeButton,    preview,
                        fontButton, kindButtons[0], kindButtons[1], kindButtons[2], kindButtons[3]};
    for (size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    // Return and Enter press the focused button, as Space does.
    for (QPushButton* button : {dragButton, closeButton, fontButton}) {
        button->setAutoDefault(true);
    }
}

void MainWindow::connectControls() {
    connect(monthList, &QComboBox::currentIndexChanged, this, [this] { monthChosen(); });
    connect(yearList, &QComboBox::currentIndexChanged, this, [this] { yearChosen(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { closeProgram(); });
    connect(dragButton, &QPushButton::clicked, this, [this] { startPlacement(); });
    connect(fontButton, &QPushButton::clicked, this, [this] { chooseFont(); });
}

void MainWindow::initialize() {
    locateSettingsFile();
}

void MainWindow::load() {
    restoreState();
}

void MainWindow::restoreState() {
    loadSettings();
    const QDate today = services_.clock.today();
    yearList->setItemText(0, QString::number(today.year()));
    yearList->setItemText(1, QString::number(today.year() + 1));
    yearList->setCurrentIndex(0);
    monthList->setCurrentIndex(today.month() - 1);
    showFontName();
    drawPreview();
}

void MainWindow::showFontName() {
    const QString face = preview->surface()->font().family();
    QFont buttonFont = fontButton->font();
    buttonFont.setFamily(face);
    fontButton->setFont(buttonFont);
    fontButton->setText(tk::Text::tr("FontName : ") + face);
}

void MainWindow::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    fitPreview();
}

void MainWindow::fitPreview() {
    // The preview fills the window below the frame: margins left and right
    // equal to its left offset, 2 mm at the bottom. The window measures in
    // millimetres.
    const double pxPerMmX = tk::pixelsPerUnitX(tk::Unit::Millimeters);
    const double pxPerMmY = tk::pixelsPerUnitY(tk::Unit::Millimeters);
    const double left = preview->x() / pxPerMmX;
    const double top = preview->y() / pxPerMmY;
    const double w = width() / pxPerMmX - 2 * left;
    const double h = height() / pxPerMmY - top - 2;
    preview->resizeBox({std::max(0, qRound(w * pxPerMmX)), std::max(0, qRound(h * pxPerMmY))});
    drawPreview();
}

void MainWindow::drawPreview() {
    if (year() == 0 || month() == 0) {
        return;
    }
    const int32_t size = previewCalendarSize();
    if (size < 1) {
        return;
    }
    const tk::BusyPointer busy;
    tk::PictureSurface& paper = *preview->surface();
    // The size above was measured in the unit the preview had; from the
    // first drawing on it measures in points.
    paper.setScaleMode(tk::Unit::Points);
    QFont font = paper.font();
    font.setPointSizeF(size);
    std::array<int32_t, 4> colors{};
    for (size_t k = 0; k < colors.size(); ++k) {
        colors[k] = kindButtons[k]->textColor();
    }
    paper.clear();
    calendar::drawMonth(paper, QPointF(0, 0), calendar::firstOfMonth(year(), month()),
                        calendar::styleFor(font, colors, paper.palette()));
}

int32_t MainWindow::previewCalendarSize() const {
    const tk::PictureSurface& paper = *preview->surface();
    if (paper.pixelSize().isEmpty()) {
        return 0;  // a minimised or tiny window has nothing to draw on
    }
    return std::max(0, previewFontSize(paper.scaleWidth(), paper.scaleHeight()));
}

int32_t MainWindow::previewFontSize(double scaleWidth, double scaleHeight) {
    const int32_t a = tk::roundToInt32(scaleWidth / 16);
    const int32_t b = tk::roundToInt32(scaleHeight / 9.5);
    return a < b ? a : b;
}

void MainWindow::monthChosen() {
    drawPreview();
}
void MainWindow::yearChosen() {
    drawPreview();
}
void MainWindow::closeProgram() {
    close();
}

void MainWindow::keyPressEvent(QKeyEvent* e) {
    // Only keys no control used arrive here: an open drop-down list keeps
    // its Esc to close itself.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        closeButton->click();
        return;
    }
    QWidget::keyPressEvent(e);
}

void MainWindow::closeEvent(QCloseEvent* e) {
    e->accept();
    if (!unloaded_) {
        unloaded_ = true;
        saveAndQuit();
    }
}

void MainWindow::saveAndQuit() {
    saveSettings();
    emit unloaded();  // the program ends here
}

int MainWindow::year() const {
    return yearList->currentIndex() < 0 ? 0 : yearList->currentText().toInt();
}
int MainWindow::month() const {
    return monthList->currentIndex() + 1;
}
int32_t MainWindow::kindColor(int index) const {
    return kindButtons.at(static_cast<size_t>(index))->textColor();
}

}  // namespace mainwindow
