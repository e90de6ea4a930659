// The font dialog driven through its own controls: what a prefill shows, what
// a confirmation returns, what a cancel keeps, the strikethrough kept between
// openings, the option flags, and the real modal loop answered by keys.
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "toolkit/fontdialog/CommonDialog.h"
#include "toolkit/fontdialog/FontDialogWidget.h"

using tk::CommonDialog;
using tk::FontDialogWidget;

namespace {

constexpr int32_t kProgramFlags = 0x00040501;
constexpr int32_t kNoEffectsFlags = 0x00040401;
constexpr int32_t kWindowText = static_cast<int32_t>(0x80000008u);

struct Fields {
    QString face;
    float size = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int32_t color = 0;
};

void fill(CommonDialog& d, const Fields& f) {
    d.FontName = f.face;
    d.FontSize = f.size;
    d.FontBold = f.bold;
    d.FontItalic = f.italic;
    d.FontUnderline = f.underline;
    d.FontStrikethru = f.strike;
    d.Color = f.color;
}

void compareFields(const CommonDialog& d, const Fields& f) {
    QCOMPARE(d.FontName, f.face);
    QCOMPARE(d.FontSize, f.size);
    QCOMPARE(d.FontBold, f.bold);
    QCOMPARE(d.FontItalic, f.italic);
    QCOMPARE(d.FontUnderline, f.underline);
    QCOMPARE(d.FontStrikethru, f.strike);
    QCOMPARE(d.Color, f.color);
}

int styleRow(bool bold, bool italic) {
    return (bold ? FontDialogWidget::Bold : FontDialogWidget::Regular) +
           (italic ? FontDialogWidget::Italic : 0);
}

void clickRow(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!items.isEmpty(), qPrintable(text + " is not listed"));
    list->scrollToItem(items.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(items.first()).center());
    QCOMPARE(list->currentItem(), items.first());
}

void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QCOMPARE(edit->text(), text);
}

void setCheck(QCheckBox* box, bool on) {
    if (box->isChecked() != on) {
        QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    }
    QCOMPARE(box->isChecked(), on);
}

// Picks a colour by typing its name into the closed list, or "Custom..." with
// End, as the keyboard would.
void chooseColor(QComboBox* combo, const QString& name) {
    if (name == QLatin1String("Custom...")) {
        QTest::keyClick(combo, Qt::Key_End);
        return;
    }
    QTest::keyClicks(combo, name);
    QCOMPARE(combo->currentText(), name);
}

// Answers the next modal dialog of type T once it is up, from inside its loop.
// A watchdog rejects it after a while so a broken test fails instead of hanging.
template <typename T>
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(T&)> act) : act_(std::move(act)) {
        poll_.setInterval(10);
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
                poll_.stop();
                answered_ = true;
                act_(*dialog);
            }
        });
        poll_.start();
        watchdog_.setSingleShot(true);
        QObject::connect(&watchdog_, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                dialog->reject();
            }
        });
        watchdog_.start(10000);
    }
    bool answered() const { return answered_; }

private:
    std::function<void(T&)> act_;
    QTimer poll_;
    QTimer watchdog_;
    bool answered_ = false;
};

}  // namespace

class FontDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void prefillShowsFields_data();
    void prefillShowsFields();
    void untouchedFieldsComeBackAsGiven_data();
    void untouchedFieldsComeBackAsGiven();
    void confirmReturnsChoice_data();
    void confirmReturnsChoice();
    void cancelKeepsFields_data();
    void cancelKeepsFields();
    void strikethroughKeptForNextOpening();
    void effectsFollowFlag_data();
    void effectsFollowFlag();
    void facesFollowFlags_data();
    void facesFollowFlags();
    void noFontsIsAFailure_data();
    void noFontsIsAFailure();
    void typingFollowsFaceList();
    void okNeedsFaceAndSize_data();
    void okNeedsFaceAndSize();
    void modalLoopAnsweredByKeys_data();
    void modalLoopAnsweredByKeys();
    void customColorThroughColorDialog();

private:
    QString latinFace_;   // a Latin outline face
    QString latinFace2_;  // another one
    QString nonLatinFace_;
    QString bitmapFace_;
};

namespace {
bool isLatinOutline(const QString& family) {
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::Latin) &&
           QFontDatabase::isSmoothlyScalable(family);
}

QString latinOutlineFace(const QString& other) {
    const QStringList preferred{"DejaVu Sans", "Liberation Sans", "Liberation Serif",
                                "DejaVu Serif", "Noto Sans"};
    const QStringList families = QFontDatabase::families();
    for (const QStringList& candidates : {preferred, families}) {
        for (const QString& family : candidates) {
            if (family != other && families.contains(family) && isLatinOutline(family)) {
                return family;
            }
        }
    }
    return {};
}

// An outline face for a script other than Latin that has no Latin coverage
// (Debian's fonts-droid-fallback has one).
QString nonLatinFace() {
    const QStringList families = QFontDatabase::families();
    if (families.contains("Droid Sans Fallback") &&
        !QFontDatabase::writingSystems("Droid Sans Fallback").contains(QFontDatabase::Latin)) {
        return "Droid Sans Fallback";
    }
    for (const QString& family : families) {
        const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
        if (!systems.contains(QFontDatabase::Latin) && !systems.contains(QFontDatabase::Other) &&
            !systems.isEmpty() && QFontDatabase::isSmoothlyScalable(family)) {
            return family;
        }
    }
    return {};
}

// A bitmap-only face. fontconfig hides bitmap fonts on Debian by default, so
// one of xfonts-base's PCF files is registered with the application directly,
// which is where a user who enables bitmap fonts would see it too.
QString bitmapFace() {
    QStringList files{"/usr/share/fonts/X11/misc/10x20-ISO8859-1.pcf.gz",
                      "/usr/share/fonts/X11/misc/9x15-ISO8859-1.pcf.gz"};
    for (const QFileInfo& info :
         QDir("/usr/share/fonts/X11/misc").entryInfoList({"*.pcf.gz"}, QDir::Files)) {
        files << info.filePath();
    }
    for (const QString& file : files) {
        if (!QFileInfo::exists(file)) {
            continue;
        }
        const int id = QFontDatabase::addApplicationFont(file);
        for (const QString& family : QFontDatabase::applicationFontFamilies(id)) {
            if (!QFontDatabase::isSmoothlyScalable(family)) {
                return family;
            }
        }
    }
    return {};
}
}  // namespace

void FontDialogTest::initTestCase() {
    latinFace_ = latinOutlineFace({});
    latinFace2_ = latinOutlineFace(latinFace_);
    QVERIFY2(!latinFace2_.isEmpty(), "needs two Latin outline fonts (fonts-dejavu-core)");
    nonLatinFace_ = nonLatinFace();
    bitmapFace_ = bitmapFace();
}

void FontDialogTest::cleanup() {
    CommonDialog::setTestResponder({});
    FontDialogWidget::setCustomColorPicker({});
}

void FontDialogTest::prefillShowsFields_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<float>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<bool>("strike");
    QTest::addColumn<int32_t>("color");
    QTest::addColumn<QString>("sizeText");
    QTest::addColumn<QString>("colorText");
    QTest::addColumn<QColor>("shownColor");

    QTest::newRow("listed face, bold underline, green")
        << latinFace_ << 14.0F << true << false << true << false << int32_t{0x008000} << "14"
        << "Green" << QColor(0, 128, 0);
    QTest::newRow("listed face, italic strikethrough, teal")
        << latinFace2_ << 10.0F << false << true << false << true << int32_t{0x808000} << "10"
        << "Teal" << QColor(0, 128, 128);
    QTest::newRow("missing face, bold italic, window text")
        << QString::fromUtf8("ＭＳ Ｐゴシック") << 9.75F << true << true << false << false
        << kWindowText << "9.75"
        << "Window Text" << QGuiApplication::palette().color(QPalette::Active, QPalette::Text);
    QTest::newRow("custom colour")
        << latinFace_ << 72.0F << false << false << true << true << int32_t{0x123456} << "72"
        << "Custom" << QColor(0x56, 0x34, 0x12);
}

void FontDialogTest::prefillShowsFields() {
    QFETCH(QString, face);
    QFETCH(float, size);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(bool, strike);
    QFETCH(int32_t, color);
    QFETCH(QString, sizeText);
    QFETCH(QString, colorText);
    QFETCH(QColor, shownColor);

    CommonDialog dialog;
    dialog.Flags = kProgramFlags;
    fill(dialog, {face, size, bold, italic, underline, strike, color});
    bool seen = false;
    CommonDialog::setTestResponder([&](FontDialogWidget& w) {
        seen = true;
        [&] {
            QCOMPARE(w.faceEdit()->text(), face);
            const bool listed = w.listedFaces().contains(face);
            QCOMPARE(w.faceList()->currentItem() != nullptr, listed);
            if (listed) {
                QCOMPARE(w.faceList()->currentItem()->text(), face);
            }
            QCOMPARE(w.styleList()->currentRow(), styleRow(bold, italic));
            QCOMPARE(w.sizeEdit()->text(), sizeText);
            const QListWidgetItem* sizeItem = w.sizeList()->currentItem();
            QCOMPARE(sizeItem ? sizeItem->text() : QString(),
                     sizeText.contains('.') ? QString() : sizeText);
            QCOMPARE(w.underlineCheck()->isChecked(), underline);
            QCOMPARE(w.strikeoutCheck()->isChecked(), strike);
            QCOMPARE(w.colorCombo()->currentText(), colorText);

            const QFont sample = w.sampleLabel()->font();
            QCOMPARE(sample.bold(), bold);
            QCOMPARE(sample.italic(), italic);
            QCOMPARE(sample.underline(), underline);
            QCOMPARE(sample.strikeOut(), strike);
            QCOMPARE(sample.pointSizeF(), static_cast<double>(size));
            QCOMPARE(w.sampleLabel()->palette().color(QPalette::WindowText), shownColor);
        }();
        return false;
    });
    QVERIFY(!dialog.ShowFont());
    QVERIFY(seen);
}

void FontDialogTest::untouchedFieldsComeBackAsGiven_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<float>("size");
    QTest::addColumn<int32_t>("color");
    QTest::newRow("missing face, system colour")
        << QString::fromUtf8("ＭＳ Ｐゴシック") << 9.75F << kWindowText;
    QTest::newRow("face in other case, odd size, custom colour")
        << latinFace_.toLower() << 10.333333F << int32_t{0x00123456};
    QTest::newRow("face with a blank, greyed text")
        << " " + latinFace_ << 12.0F << static_cast<int32_t>(0x80000011u);
}

void FontDialogTest::untouchedFieldsComeBackAsGiven() {
    QFETCH(QString, face);
    QFETCH(float, size);
    QFETCH(int32_t, color);
    const Fields given{face, size, true, false, true, true, color};
    CommonDialog dialog;
    dialog.Flags = kProgramFlags;
    dialog.CancelError = true;
    fill(dialog, given);
    CommonDialog::setTestResponder([](FontDialogWidget& w) { return w.okButton()->isEnabled(); });
    QVERIFY(dialog.ShowFont());
    compareFields(dialog, given);
}

void FontDialogTest::confirmReturnsChoice_data() {
    QTest::addColumn<bool>("faceFromList");
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("sizeFromList");
    QTest::addColumn<QString>("sizeText");
    QTest::addColumn<float>("size");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<bool>("strike");
    QTest::addColumn<QString>("colorChoice");
    QTest::addColumn<QColor>("customColor");
    QTest::addColumn<int32_t>("color");

    QTest::newRow("list face, bold, 48 typed, underline, green")
        << true << latinFace2_ << int{FontDialogWidget::Bold} << false << "48" << 48.0F << true
        << false << "Green" << QColor() << int32_t{0x008000};
    QTest::newRow("typed face, italic, 20 from list, strikethrough, custom")
        << false << latinFace2_ << int{FontDialogWidget::Italic} << true << "20" << 20.0F << false
        << true << "Custom..." << QColor(10, 200, 30) << int32_t{0x1EC80A};
    QTest::newRow("typed missing face, bold italic, half point, both effects, navy")
        << false << "No Such Face 42" << int{FontDialogWidget::BoldItalic} << false << "10.5"
        << 10.5F << true << true << "Navy" << QColor() << int32_t{0x800000};
    QTest::newRow("regular, no effects, white")
        << true << latinFace_ << int{FontDialogWidget::Regular} << true << "8" << 8.0F << false
        << false << "White" << QColor() << int32_t{0xFFFFFF};
}

void FontDialogTest::confirmReturnsChoice() {
    QFETCH(bool, faceFromList);
    QFETCH(QString, face);
    QFETCH(int, style);
    QFETCH(bool, sizeFromList);
    QFETCH(QString, sizeText);
    QFETCH(float, size);
    QFETCH(bool, underline);
    QFETCH(bool, strike);
    QFETCH(QString, colorChoice);
    QFETCH(QColor, customColor);
    QFETCH(int32_t, color);

    CommonDialog dialog;
    dialog.Flags = kProgramFlags;
    dialog.CancelError = true;
    // Start from the opposite of every expected value so each must change.
    fill(dialog,
         {faceFromList ? latinFace2_ + "x" : latinFace_, 12.0F, style == FontDialogWidget::Regular,
          style == FontDialogWidget::Regular, !underline, !strike, int32_t{0x0000FF}});
    QColor pickerInitial;
    FontDialogWidget::setCustomColorPicker([&](const QColor& initial, QWidget*) {
        pickerInitial = initial;
        return customColor;
    });
    CommonDialog::setTestResponder([&](FontDialogWidget& w) {
        if (faceFromList) {
            clickRow(w.faceList(), face);
        } else {
            typeInto(w.faceEdit(), face);
        }
        clickRow(w.styleList(), w.styleList()->item(style)->text());
        if (sizeFromList) {
            clickRow(w.sizeList(), sizeText);
        } else {
            typeInto(w.sizeEdit(), sizeText);
        }
        setCheck(w.underlineCheck(), underline);
        setCheck(w.strikeoutCheck(), strike);
        chooseColor(w.colorCombo(), colorChoice);
        if (QTest::currentTestFailed()) {
            return false;
        }
        QTest::mouseClick(w.okButton(), Qt::LeftButton);
        return w.result() == QDialog::Accepted;
    });
    QVERIFY(dialog.ShowFont());
    compareFields(
        dialog,
        {face, size, style == FontDialogWidget::Bold || style == FontDialogWidget::BoldItalic,
         style == FontDialogWidget::Italic || style == FontDialogWidget::BoldItalic, underline,
         strike, color});
    if (customColor.isValid()) {
        QCOMPARE(pickerInitial, QColor(255, 0, 0));  // the prefilled red
    }
}

void FontDialogTest::cancelKeepsFields_data() {
    QTest::addColumn<bool>("cancelError");
    QTest::addColumn<int>("how");  // 0 responder says no, 1 Cancel button, 2 Escape
    QTest::newRow("responder, no cancel error") << false << 0;
    QTest::newRow("responder, cancel error") << true << 0;
    QTest::newRow("Cancel button, cancel error") << true << 1;
    QTest::newRow("Escape, no cancel error") << false << 2;
}

void FontDialogTest::cancelKeepsFields() {
    QFETCH(bool, cancelError);
    QFETCH(int, how);
    const Fields before{latinFace_, 12.0F, false, false, false, false, int32_t{0x00FFFF}};
    CommonDialog dialog;
    dialog.Flags = kProgramFlags;
    dialog.CancelError = cancelError;
    fill(dialog, before);
    FontDialogWidget::setCustomColorPicker([](const QColor&, QWidget*) { return QColor(1, 2, 3); });
    CommonDialog::setTestResponder([&](FontDialogWidget& w) {
        clickRow(w.faceList(), latinFace2_);
        clickRow(w.styleList(), w.styleList()->item(FontDialogWidget::BoldItalic)->text());
        typeInto(w.sizeEdit(), "48");
        setCheck(w.underlineCheck(), true);
        setCheck(w.strikeoutCheck(), true);
        chooseColor(w.colorCombo(), "Custom...");
        if (how == 1) {
            QTest::mouseClick(w.cancelButton(), Qt::LeftButton);
        } else if (how == 2) {
            QTest::keyClick(w.faceEdit(), Qt::Key_Escape);
        }
        return how == 0 ? false : w.result() == QDialog::Accepted;
    });
    if (cancelError) {
        bool ok = false;
        try {
            dialog.ShowFont();
            ok = true;
        } catch (const tk::CancelError&) {
        }
        QVERIFY2(!ok, "a cancel with CancelError on must not return normally");
    } else {
        QCOMPARE(dialog.ShowFont(), false);
    }
    compareFields(dialog, before);
}

void FontDialogTest::strikethroughKeptForNextOpening() {
    CommonDialog dialog;
    dialog.Flags = kProgramFlags;
    fill(dialog, {latinFace_, 12.0F, false, false, false, false, 0});
    QList<bool> shown;
    bool tick = true;
    CommonDialog::setTestResponder([&](FontDialogWidget& w) {
        shown << w.strikeoutCheck()->isChecked();
        setCheck(w.strikeoutCheck(), tick);
        return true;
    });
    QVERIFY(dialog.ShowFont());
    // The caller refills everything but strikethrough before each opening.
    fill(dialog, {latinFace2_, 20.0F, true, false, false, dialog.FontStrikethru, 0});
    tick = false;
    QVERIFY(dialog.ShowFont());
    QVERIFY(dialog.ShowFont());
    QCOMPARE(shown, (QList<bool>{false, true, false}));
}

void FontDialogTest::effectsFollowFlag_data() {
    QTest::addColumn<int32_t>("flags");
    QTest::addColumn<bool>("shown");
    QTest::newRow("program's flags") << kProgramFlags << true;
    QTest::newRow("without effects") << kNoEffectsFlags << false;
    QTest::newRow("effects only with screen fonts") << int32_t{0x101} << true;
}

void FontDialogTest::effectsFollowFlag() {
    QFETCH(int32_t, flags);
    QFETCH(bool, shown);
    const Fields given{latinFace_, 12.0F, false, false, true, true, int32_t{0x0000FF}};
    CommonDialog dialog;
    dialog.Flags = flags;
    fill(dialog, given);
    CommonDialog::setTestResponder([&](FontDialogWidget& w) {
        [&] {
            QCOMPARE(w.effectsGroup()->isVisible(), shown);
            QCOMPARE(w.colorCombo()->isVisible(), shown);
            QCOMPARE(w.sampleLabel()->font().underline(), shown);
            QCOMPARE(w.sampleLabel()->font().strikeOut(), shown);
        }();
        clickRow(w.styleList(), w.styleList()->item(FontDialogWidget::Bold)->text());
        return true;
    });
    QVERIFY(dialog.ShowFont());
    // Hidden effects come back as they were given.
    Fields expected = given;
    expected.bold = true;
    compareFields(dialog, expected);
}

void FontDialogTest::facesFollowFlags_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("missing");
    QTest::addColumn<int32_t>("flags");
    QTest::addColumn<bool>("offered");

    const QString noNonLatin =
        "no outline font without Latin coverage is installed "
        "(install Debian's fonts-droid-fallback)";
    const QString noBitmap = "no bitmap-only font found (install Debian's xfonts-base)";
    QTest::newRow("Latin outline, program's flags") << latinFace_ << "" << kProgramFlags << true;
    QTest::newRow("non-Latin, outline only")
        << nonLatinFace_ << noNonLatin << int32_t{0x40101} << true;
    QTest::newRow("non-Latin, Latin only")
        << nonLatinFace_ << noNonLatin << int32_t{0x501} << false;
    QTest::newRow("non-Latin, program's flags")
        << nonLatinFace_ << noNonLatin << kProgramFlags << false;
    QTest::newRow("bitmap, Latin only") << bitmapFace_ << noBitmap << int32_t{0x501} << true;
    QTest::newRow("bitmap, outline only") << bitmapFace_ << noBitmap << int32_t{0x40101} << false;
    QTest::newRow("bitmap, program's flags") << bitmapFace_ << noBitmap << kProgramFlags << false;
}

void FontDialogTest::facesFollowFlags() {
    QFETCH(QString, face);
    QFETCH(QString, missing);
    QFETCH(int32_t, flags);
    QFETCH(bool, offered);
    if (face.isEmpty()) {
        QSKIP(qPrintable(missing));
    }
    QVERIFY(QFontDatabase::families().contains(face));

    CommonDialog dialog;
    dialog.Flags = flags;
    fill(dialog, {latinFace_, 12.0F, false, false, false, false, 0});
    CommonDialog::setTestResponder([&](FontDialogWidget& w) {
        [&] {
            QCOMPARE(w.faceList()->findItems(face, Qt::MatchExactly).size(), offered ? 1 : 0);
            QCOMPARE(w.faceList()->count(), w.listedFaces().size());
            // Typing the face's name does not reach a face that is not offered.
            typeInto(w.faceEdit(), face);
            const QListWidgetItem* current = w.faceList()->currentItem();
            QCOMPARE(current != nullptr && current->text() == face, offered);
        }();
        return false;
    });
    dialog.ShowFont();
}

void FontDialogTest::noFontsIsAFailure_data() {
    QTest::addColumn<int32_t>("flags");
    QTest::newRow("no flags") << int32_t{0};
    QTest::newRow("effects and filters without screen fonts") << int32_t{0x40500};
}

void FontDialogTest::noFontsIsAFailure() {
    QFETCH(int32_t, flags);
    CommonDialog dialog;
    dialog.Flags = flags;
    dialog.CancelError = true;
    fill(dialog, {latinFace_, 12.0F, false, false, false, false, 0});
    bool asked = false;
    CommonDialog::setTestResponder([&](FontDialogWidget&) { return asked = true; });
    QVERIFY_THROWS_EXCEPTION(tk::NoFontsError, dialog.ShowFont());
    QVERIFY(!asked);
    QCOMPARE(dialog.FontName, latinFace_);
}

void FontDialogTest::typingFollowsFaceList() {
    FontDialogWidget w(kProgramFlags);
    w.show();
    const QString prefix = latinFace_.left(3).toLower();
    QTest::keyClicks(w.faceEdit(), prefix);
    // What was typed stays; the list shows the first face starting with it.
    QCOMPARE(w.faceEdit()->text(), prefix);
    QListWidgetItem* current = w.faceList()->currentItem();
    QVERIFY(current != nullptr);
    QVERIFY(current->text().startsWith(prefix, Qt::CaseInsensitive));
    const int row = w.faceList()->currentRow();
    QVERIFY(row == 0 ||
            !w.faceList()->item(row - 1)->text().startsWith(prefix, Qt::CaseInsensitive));

    // Down in the edit field moves through the list and takes the face.
    QTest::keyClick(w.faceEdit(), Qt::Key_Down);
    QCOMPARE(w.faceList()->currentRow(), row + 1);
    QCOMPARE(w.faceEdit()->text(), w.faceList()->item(row + 1)->text());
    QTest::keyClick(w.faceEdit(), Qt::Key_Up);
    QCOMPARE(w.faceEdit()->text(), current->text());

    // Typing a size that is listed selects it in the size list.
    typeInto(w.sizeEdit(), "36");
    QVERIFY(w.sizeList()->currentItem() != nullptr);
    QCOMPARE(w.sizeList()->currentItem()->text(), QStringLiteral("36"));
}

void FontDialogTest::okNeedsFaceAndSize_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("size");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("both") << latinFace_ << "12" << true;
    QTest::newRow("no size") << latinFace_ << "" << false;
    QTest::newRow("size below 1") << latinFace_ << "0" << false;
    QTest::newRow("blank face") << "  "
                                << "12" << false;
    QTest::newRow("missing face") << "No Such Face"
                                  << "12" << true;
}

void FontDialogTest::okNeedsFaceAndSize() {
    QFETCH(QString, face);
    QFETCH(QString, size);
    QFETCH(bool, enabled);
    CommonDialog dialog;
    dialog.Flags = kProgramFlags;
    fill(dialog, {latinFace2_, 10.0F, false, false, false, false, 0});
    bool accepted = false;
    CommonDialog::setTestResponder([&](FontDialogWidget& w) {
        typeInto(w.faceEdit(), face);
        w.sizeEdit()->selectAll();
        QTest::keyClick(w.sizeEdit(), Qt::Key_Backspace);
        QTest::keyClicks(w.sizeEdit(), size);
        [&] { QCOMPARE(w.okButton()->isEnabled(), enabled); }();
        // Enter presses OK only when it is enabled.
        QTest::keyClick(w.sizeEdit(), Qt::Key_Return);
        accepted = w.result() == QDialog::Accepted;
        return accepted;
    });
    QCOMPARE(dialog.ShowFont(), enabled);
    QCOMPARE(accepted, enabled);
    QCOMPARE(dialog.FontName, enabled ? face : latinFace2_);
}

void FontDialogTest::modalLoopAnsweredByKeys_data() {
    QTest::addColumn<int>("how");  // 0 Escape, 1 type a face and Enter, 2 click OK
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("Escape cancels") << 0 << false;
    QTest::newRow("typed face and Enter") << 1 << true;
    QTest::newRow("click OK") << 2 << true;
}

void FontDialogTest::modalLoopAnsweredByKeys() {
    QFETCH(int, how);
    QFETCH(bool, confirmed);
    CommonDialog dialog;
    dialog.Flags = kProgramFlags;
    dialog.CancelError = true;
    fill(dialog, {latinFace_, 12.0F, false, false, false, false, 0});
    ModalAnswer<FontDialogWidget> answer([&](FontDialogWidget& w) {
        if (how == 0) {
            QTest::keyClick(w.faceEdit(), Qt::Key_Escape);
        } else if (how == 1) {
            typeInto(w.faceEdit(), latinFace2_);
            QTest::keyClick(w.faceEdit(), Qt::Key_Return);
        } else {
            setCheck(w.strikeoutCheck(), true);
            QTest::mouseClick(w.okButton(), Qt::LeftButton);
        }
    });
    bool cancelled = false;
    try {
        QVERIFY(dialog.ShowFont());
    } catch (const tk::CancelError&) {
        cancelled = true;
    }
    QVERIFY(answer.answered());
    QCOMPARE(cancelled, !confirmed);
    QCOMPARE(dialog.FontName, how == 1 ? latinFace2_ : latinFace_);
    QCOMPARE(dialog.FontStrikethru, how == 2);
}

void FontDialogTest::customColorThroughColorDialog() {
    CommonDialog dialog;
    dialog.Flags = kProgramFlags;
    fill(dialog, {latinFace_, 12.0F, false, false, false, false, int32_t{0x00FF0000}});
    QColor initial;
    ModalAnswer<QColorDialog> answer([&](QColorDialog& colors) {
        initial = colors.currentColor();
        colors.setCurrentColor(QColor(0x11, 0x22, 0x33));
        colors.accept();
    });
    CommonDialog::setTestResponder([&](FontDialogWidget& w) {
        chooseColor(w.colorCombo(), "Custom...");
        return true;
    });
    QVERIFY(dialog.ShowFont());
    QVERIFY(answer.answered());
    QCOMPARE(initial, QColor(0, 0, 255));
    QCOMPARE(dialog.Color, int32_t{0x00332211});
}

QTEST_MAIN(FontDialogTest)
#include "FontDialogTest.moc"
