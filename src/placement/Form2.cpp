#include "placement/Form2.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <vector>

#include "calendar/cCalendar.h"
#include "placement/CalendarChoice.h"
#include "placement/FinishRecord.h"
#include "placement/ManualDrag.h"
#include "system/Module1.h"
#include "system/desktop/DesktopBackend.h"
#include "system/wallpaper/WallpaperSettings.h"
#include "system/wallpaper/WindowsDirectory.h"
#include "toolkit/Colors.h"
#include "toolkit/MessageBox.h"
#include "toolkit/MousePointer.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Rounding.h"
#include "toolkit/Units.h"
#include "toolkit/VbDate.h"
#include "toolkit/picture/PictureFile.h"

namespace {

constexpr int16_t True = -1;
constexpr int16_t False = 0;

// Linux paths may be far longer than the 260 bytes a Windows directory
// takes; a cut path would name some other folder.
constexpr uint32_t kPathBuffer = 4096;

const QString kTitle = QStringLiteral("Tessaryn Info.");

double pointsToPixelsX(double points) {
    return points * tk::pixelsPerUnitX(tk::vbPoints);
}
double pointsToPixelsY(double points) {
    return points * tk::pixelsPerUnitY(tk::vbPoints);
}

QPointF pointsPerPixel() {
    return {1.0 / tk::pixelsPerUnitX(tk::vbPoints), 1.0 / tk::pixelsPerUnitY(tk::vbPoints)};
}

QString sentence(QString text) {
    if (!text.isEmpty()) {
        text[0] = text[0].toUpper();
        if (!text.endsWith(QLatin1Char('.'))) {
            text += QLatin1Char('.');
        }
    }
    return text;
}

}  // namespace

Form2::Form2(const CalendarChoice& choice, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint), choice_(&choice) {
    createControls();
    Form_Load();
}

Form2::~Form2() {
    if (drag_) {
        delete drag_.data();
    }
}

ManualDrag* Form2::currentDrag() const {
    return drag_.data();
}

QString Form2::outputFileName() {
    return QStringLiteral("Tessavel.bmp");
}

void Form2::createControls() {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Form2"));
    {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, tk::resolveColor(tk::vbWindowBackground, pal));
        setPalette(pal);
        setAutoFillBackground(true);
    }
    // Design sizes in twips; the placement start replaces all of them.
    auto twips = [](double left, double top, double width, double height) {
        return QRect(qRound(tk::twipsToPixelsX(left)), qRound(tk::twipsToPixelsY(top)),
                     qRound(tk::twipsToPixelsX(width)), qRound(tk::twipsToPixelsY(height)));
    };
    resize(twips(0, 0, 4680, 3195).size());

    picWall = new tk::PictureBox(this);
    picWall->setObjectName(QStringLiteral("picWall"));
    picWall->setBoxGeometry(twips(900, 480, 1695, 795));
    picWall->setBorder(false);
    picWall->setAutoSize(true);
    {
        tk::PictureSurface& wall = *picWall->surface();
        wall.setScaleMode(tk::vbPoints);
        wall.setBackColor(tk::vbWindowBackground);
        wall.setForeColor(tk::vbWindowText);
        wall.Cls();
    }

    Image1 = new tk::PictureBox(picWall);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setBoxGeometry(twips(240, 180, 435, 375));
    Image1->setBorder(true);
    Image1->setAutoSize(true);
    {
        tk::PictureSurface& image = *Image1->surface();
        image.setScaleMode(tk::vbPoints);
        image.setBackColor(tk::vbWindowBackground);
        image.setForeColor(tk::vbWindowText);
        image.Cls();
    }
    setTabOrder(picWall, Image1);

    // Image1 reports presses from inside its border; the drag measures from
    // its outer corner, the corner that Left and Top place, so that a press
    // and a release on the same spot leave it where it was.
    connect(Image1, &tk::PictureBox::mouseDown, this,
            [this](int button, int shift, double x, double y) {
                const double border = Image1->borderWidth();
                Image1_MouseDown(button, shift,
                                 static_cast<float>(x + border * pointsPerPixel().x()),
                                 static_cast<float>(y + border * pointsPerPixel().y()));
            });
    connect(Image1, &tk::PictureBox::dblClick, this, [this] { Image1_DblClick(); });
    connect(picWall, &tk::PictureBox::mouseDown, this,
            [this](int button, int shift, double x, double y) {
                picWall_MouseDown(button, shift, static_cast<float>(x), static_cast<float>(y));
            });
    connect(picWall, &tk::PictureBox::dblClick, this, [this] { picWall_DblClick(); });
}

void Form2::Form_Load() {
    picWall->setToolTip(QStringLiteral("右クリックで再設定/ダブルクリックで完了"));
    Image1->setToolTip(QStringLiteral("右クリックでキャンセル/ダブルクリックでプレビュー"));
}

void Form2::ShowModal() {
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(this, &Form2::closed, &loop, &QEventLoop::quit);
    show();
    raise();
    activateWindow();
    if (!isHidden()) {
        loop.exec(QEventLoop::DialogExec);
    }
    // The window may be gone by now: nothing here touches it any more.
}

void Form2::Unload() {
    if (unloading_) {
        return;
    }
    unloading_ = true;
    if (drag_) {
        drag_->abandon();
    }
    close();
    deleteLater();
}

void Form2::closeEvent(QCloseEvent* e) {
    e->accept();
    if (!unloading_) {
        // Closed from outside (the window manager): the same as a cancel.
        unloading_ = true;
        if (drag_) {
            drag_->abandon();
        }
        deleteLater();
    }
    emit closed();
}

void Form2::mousePressEvent(QMouseEvent* e) {
    const QPointF p = e->position();
    Form_MouseDown(tk::buttonCode(e->button()), tk::shiftCode(e->modifiers()),
                   static_cast<float>(tk::pixelsToTwipsX(p.x())),
                   static_cast<float>(tk::pixelsToTwipsY(p.y())));
}

void Form2::Form_MouseDown(int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
    if (Button == tk::vbRightButton) {
        Unload();
    }
}

void Form2::Image1_MouseDown(int Button, int /*Shift*/, float X, float Y) {
    if (Button == tk::vbRightButton) {
        Unload();
        return;
    }
    if (Button != tk::vbLeftButton && Button != tk::vbMiddleButton) {
        return;
    }
    const Qt::MouseButton button = Button == tk::vbMiddleButton ? Qt::MiddleButton : Qt::LeftButton;
    sngGrabX = X;
    sngGrabY = Y;
    const DragTrack track(
        QPointF(sngGrabX, sngGrabY),
        QPointF(tk::pixelsPerUnitX(tk::vbPoints), tk::pixelsPerUnitY(tk::vbPoints)),
        Image1->size());
    const QPoint pointer = Image1->mapToGlobal(track.toPixels(track.grab()));
    Image1->setVisible(false);
    if (drag_) {
        delete drag_.data();
    }
    drag_ = new ManualDrag(Image1, picWall, track, button, pointer);
    drag_->setParent(this);
    connect(drag_, &ManualDrag::dropped, this, &Form2::dropped);
}

void Form2::dropped(QWidget* target, QPoint pointer) {
    auto* source = drag_ ? drag_->source() : nullptr;
    if (drag_) {
        drag_->deleteLater();
        drag_ = nullptr;
    }
    if (source != nullptr && target == picWall) {
        const QPointF at = picWall->toUnits(picWall->mapFromGlobal(QPointF(pointer)));
        picWall_DragDrop(source, static_cast<float>(at.x()), static_cast<float>(at.y()));
    }
}

void Form2::picWall_DragDrop(QWidget* Source, float X, float Y) {
    if (Source == nullptr || Source->objectName() != QStringLiteral("Image1")) {
        return;
    }
    const QPointF corner = DragTrack::dropCorner(X, Y, sngGrabX, sngGrabY);
    Image1->move(qRound(pointsToPixelsX(corner.x())), qRound(pointsToPixelsY(corner.y())));
    Image1->setVisible(true);
}

void Form2::picWall_MouseDown(int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
    if (Button == tk::vbRightButton) {
        Image1->setVisible(true);
    }
}

void Form2::Image1_DblClick() {
    Image1->setVisible(false);
    // Let the wallpaper under the picture repaint before the drawing.
    QCoreApplication::processEvents();

    cCalendar objCalendar;
    objCalendar.setPaper(picWall->surface());
    objCalendar.setFontName(picWall->surface()->font().family());
    for (int16_t k = 0; k <= 3; ++k) {
        objCalendar.setFontColor(k, choice_->kindColor(k));
    }
    objCalendar.setStartX(static_cast<float>(Image1->x() / tk::pixelsPerUnitX(tk::vbPoints)));
    objCalendar.setStartY(static_cast<float>(Image1->y() / tk::pixelsPerUnitY(tk::vbPoints)));
    objCalendar.setDisplayMonth(tk::DateSerial(tk::CInt(choice_->yearText().toDouble()),
                                               tk::CInt(choice_->monthText().toDouble()), 1));
    objCalendar.Display();

    const QFont font = picWall->surface()->font();
    drawn_ = PlacedCalendar{QPointF(Image1->x(), Image1->y()),
                            font.pointSizeF() * tk::pixelsPerUnitY(tk::vbPoints),
                            objCalendar.FontName(),
                            font.bold(),
                            font.italic(),
                            font.underline(),
                            font.strikeOut(),
                            {choice_->kindColor(0), choice_->kindColor(1), choice_->kindColor(2),
                             choice_->kindColor(3)},
                            tk::CInt(choice_->yearText().toDouble()),
                            tk::CInt(choice_->monthText().toDouble())};
}

void Form2::picWall_DblClick() {
    tk::setMousePointer(tk::vbHourglass);
    auto giveUp = [this](const QString& why) {
        tk::setMousePointer(tk::vbDefault);
        tk::MsgBox(QStringLiteral("The new wallpaper could not be saved; nothing was changed.\n") +
                       sentence(why),
                   tk::vbExclamation, kTitle, this);
    };

    // What the wallpaper box shows now, the calendar of a preview included.
    const QImage composed = picWall->surface()->Image();
    const QString original = Module1::strWallpaper;
    const QImage loaded = picWall->surface()->Picture();

    std::vector<char> buffer(kPathBuffer, '\0');
    sys::GetWindowsDirectoryA(buffer.data(), kPathBuffer);
    const QString directory = QString::fromLocal8Bit(buffer.data());
    if (directory.isEmpty()) {
        giveUp(QStringLiteral("the folder for %1 could not be determined").arg(outputFileName()));
        return;
    }
    const QString path = directory + QLatin1Char('/') + outputFileName();

    // The picture is saved before it becomes the box's picture, so that a
    // failed save leaves the window exactly as it was.
    const tk::SaveResult saved = tk::SavePictureAsBitmap(composed, path);
    if (!saved.ok) {
        giveUp(saved.error);
        return;
    }
    picWall->setPicture(composed);

    Module1::strWallpaper = path;
    const bool applied = Module1::SetWallpaper(True, False, False);
    // Remembered so that the calendar can be renewed and the original restored.
    const composition::FinishNote note =
        composition::recordFinish(original, loaded, desktop::activeDesktop().name(), drawn_);
    if (!note.recorded) {
        qWarning("tessaryn: the calendar cannot be renewed later: %s", qPrintable(note.message));
    }
    tk::setMousePointer(tk::vbDefault);
    if (!applied) {
        tk::MsgBox(QStringLiteral("%1 was saved, but the desktop could not show it.\n%2")
                       .arg(path, sentence(Module1::lastWallpaperError())),
                   tk::vbExclamation, kTitle, this);
    }
    Unload();
}
