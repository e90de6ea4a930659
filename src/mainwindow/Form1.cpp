#include "mainwindow/Form1.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>

#include "calendar/cCalendar.h"
#include "system/Module1.h"
#include "toolkit/OptionButton.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Rounding.h"
#include "toolkit/Screen.h"
#include "toolkit/Units.h"
#include "toolkit/VbDate.h"
#include "toolkit/fontdialog/CommonDialog.h"

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

QString listText(const QComboBox* list) {
    return list->currentIndex() < 0 ? QString() : list->currentText();
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    Form_Initialize();
    createControls();
}

Form1::~Form1() = default;

QSize Form1::designInnerSize() {
    return twipsRect(0, 0, 4680, 3900).size();
}

void Form1::createControls() {
    setWindowTitle(QStringLiteral("Tessaryn"));
    QFont windowFont(QStringLiteral("Times New Roman"));
    windowFont.setPointSizeF(9.75);
    setFont(windowFont);
    resize(designInnerSize());

    cmbYear = new QComboBox(this);
    cmbYear->setObjectName(QStringLiteral("cmbYear"));
    cmbYear->addItems({QStringLiteral("1998"), QStringLiteral("1999")});
    cmbYear->setGeometry(twipsRect(2520, 60, 1155, 345));

    cmbMonth = new QComboBox(this);
    cmbMonth->setObjectName(QStringLiteral("cmbMonth"));
    for (int m = 1; m <= 12; ++m) {
        cmbMonth->addItem(QString::number(m));
    }
    cmbMonth->setGeometry(twipsRect(3720, 60, 915, 345));
    // Both lists start without a selection; loading picks this month and year.
    cmbYear->setCurrentIndex(-1);
    cmbMonth->setCurrentIndex(-1);

    cmdDrag = new QPushButton(QStringLiteral("Drag Calendar"), this);
    cmdDrag->setObjectName(QStringLiteral("cmdDrag"));
    cmdDrag->setGeometry(twipsRect(1080, 60, 1395, 315));

    cmdExit = new QPushButton(QStringLiteral("Close"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setGeometry(twipsRect(60, 60, 975, 315));
    // "Close" is the cancel button: Esc presses it (keyPressEvent).

    Picture1 = new tk::PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setBoxGeometry(twipsRect(60, 1380, 4515, 2175));
    Picture1->setFocusPolicy(Qt::StrongFocus);  // a tab stop, as designed
    {
        tk::PictureSurface& paper = *Picture1->surface();
        paper.setBackColor(kWhite);
        paper.setForeColor(kYellow);
        QFont previewFont(QStringLiteral("ＭＳ Ｐゴシック"));
        previewFont.setPointSizeF(12);
        previewFont.setBold(true);
        previewFont.setItalic(true);
        paper.setFont(previewFont);
        paper.setScaleMode(tk::vbTwips);
        paper.Cls();
    }

    Frame1 = new QGroupBox(QStringLiteral("Font Setting"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(60, 420, 4575, 915));
    Frame1->setAutoFillBackground(true);
    {
        QPalette pal = Frame1->palette();
        pal.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
        Frame1->setPalette(pal);
    }

    Command1 = new QPushButton(QStringLiteral("Change Font"), Frame1);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(60, 240, 4455, 315));

    struct OptionDesign {
        const char* caption;
        double left, width;
        int32_t color;
    };
    const std::array<OptionDesign, 4> options{{{"Month", 60, 915, kWhite},
                                               {"Sunday", 1080, 1035, kRed},
                                               {"Saturday", 2100, 1035, kBlue},
                                               {"Weekday", 3240, 1275, kYellow}}};
    for (size_t k = 0; k < options.size(); ++k) {
        auto* opt = new tk::OptionButton(QString::fromLatin1(options[k].caption), Frame1);
        opt->setObjectName(QStringLiteral("optFont%1").arg(k));
        opt->setGeometry(twipsRect(options[k].left, 600, options[k].width, 225));
        opt->setBackColor(kGrey);
        opt->setForeColor(options[k].color);
        optFont[k] = opt;
    }
    optFont[kindWeekday]->setChecked(true);

    CommonDialog1 = std::make_unique<tk::CommonDialog>(this);

    // Tab order as designed.
    QWidget* order[] = {cmbYear,  cmbMonth,   cmdDrag,    cmdExit,    Picture1,
                        Command1, optFont[0], optFont[1], optFont[2], optFont[3]};
    for (size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    // Return and Enter press the focused button, as Space does.
    for (QPushButton* button : {cmdDrag, cmdExit, Command1}) {
        button->setAutoDefault(true);
    }

    connect(cmbMonth, &QComboBox::currentIndexChanged, this, [this] { cmbMonth_Click(); });
    connect(cmbYear, &QComboBox::currentIndexChanged, this, [this] { cmbYear_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    connect(cmdDrag, &QPushButton::clicked, this, [this] { cmdDrag_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void Form1::Form_Initialize() {
    LoadSettingsPath();
    Module1::intTwipsPerPixelX = tk::CInt(tk::Screen::TwipsPerPixelX());
    Module1::intTwipsPerPixelY = tk::CInt(tk::Screen::TwipsPerPixelY());
}

void Form1::Load() {
    Form_Load();
}

void Form1::Form_Load() {
    LoadSettings();
    const int year = tk::Year(tk::Today());
    cmbYear->setItemText(0, QString::number(year));
    cmbYear->setItemText(1, QString::number(year + 1));
    cmbYear->setCurrentIndex(0);
    cmbMonth->setCurrentIndex(tk::Month(tk::Today()) - 1);
    showFontName();
    DrawPreview();
}

void Form1::showFontName() {
    const QString face = Picture1->surface()->font().family();
    QFont buttonFont = Command1->font();
    buttonFont.setFamily(face);
    Command1->setFont(buttonFont);
    Command1->setText(QStringLiteral("FontName : ") + face);
}

void Form1::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Form_Resize();
}

void Form1::Form_Resize() {
    // The preview fills the window below the frame: margins left and right
    // equal to its left offset, 2 mm at the bottom. The window measures in
    // millimetres.
    const double pxPerMmX = tk::pixelsPerUnitX(tk::vbMillimeters);
    const double pxPerMmY = tk::pixelsPerUnitY(tk::vbMillimeters);
    const double left = Picture1->x() / pxPerMmX;
    const double top = Picture1->y() / pxPerMmY;
    const double w = width() / pxPerMmX - 2 * left;
    const double h = height() / pxPerMmY - top - 2;
    Picture1->resizeBox({std::max(0, qRound(w * pxPerMmX)), std::max(0, qRound(h * pxPerMmY))});
    DrawPreview();
}

void Form1::DrawPreview() {
    if (listText(cmbYear).isEmpty() || listText(cmbMonth).isEmpty()) {
        return;
    }
    tk::PictureSurface& paper = *Picture1->surface();
    if (paper.pixelSize().isEmpty()) {
        return;  // a minimised or tiny window has nothing to draw on
    }
    const int32_t size = PreviewFontSize(paper.ScaleWidth(), paper.ScaleHeight());
    if (size < 1) {
        return;
    }
    paper.setFontSize(size);
    if (!objCalendar) {
        objCalendar = std::make_unique<cCalendar>();
    }
    objCalendar->setPaper(Picture1->surface());
    for (int16_t k = 0; k <= 3; ++k) {
        objCalendar->setFontColor(k, optFont[static_cast<size_t>(k)]->ForeColor());
    }
    objCalendar->setFontName(paper.font().family());
    objCalendar->setDisplayMonth(tk::DateSerial(tk::CInt(listText(cmbYear).toDouble()),
                                                tk::CInt(listText(cmbMonth).toDouble()), 1));
    objCalendar->Display();
}

int32_t Form1::PreviewFontSize(double scaleWidth, double scaleHeight) {
    const int32_t a = tk::CLng(scaleWidth / 16);
    const int32_t b = tk::CLng(scaleHeight / 9.5);
    return a < b ? a : b;
}

void Form1::cmbMonth_Click() {
    DrawPreview();
}
void Form1::cmbYear_Click() {
    DrawPreview();
}
void Form1::cmdExit_Click() {
    close();
}

void Form1::keyPressEvent(QKeyEvent* e) {
    // Only keys no control used arrive here: an open drop-down list keeps
    // its Esc to close itself.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        cmdExit->click();
        return;
    }
    QWidget::keyPressEvent(e);
}

void Form1::closeEvent(QCloseEvent* e) {
    e->accept();
    if (!unloaded_) {
        unloaded_ = true;
        Form_Unload();
    }
}

void Form1::Form_Unload() {
    SaveSettings();
    emit unloaded();  // the program ends here
}

QString Form1::yearText() const {
    return listText(cmbYear);
}
QString Form1::monthText() const {
    return listText(cmbMonth);
}
int32_t Form1::kindColor(int index) const {
    return optFont.at(static_cast<size_t>(index))->ForeColor();
}
