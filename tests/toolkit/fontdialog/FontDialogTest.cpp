// The font dialog driven through its own controls: what a prefill shows, what
// a confirmation returns, that a cancel returns nothing, the options, and the
// real modal loop answered by keys.
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

#include "support/MessageRecorder.h"
#include "support/ScriptedDialogs.h"
#include "toolkit/FontSubstitutes.h"
#include "toolkit/fontdialog/FontDialog.h"
#include "toolkit/fontdialog/FontDialogWidget.h"

using tk::FontChoice;
using tk::FontDialog;
using tk::FontDialogWidget;
using tk::FontOptions;

namespace {

// The main window's options: Latin outline faces, with the effects.
constexpr FontOptions kProgramOptions{.faces = {.latinOnly = true, .scalableOnly = true},
                                      .showEffects = true};
constexpr FontOptions kNoEffectsOptions{.faces = kProgramOptions.faces, .showEffects = false};

void compareChoice(const std::optional<FontChoice>& got, const FontChoice& f) {
    QVERIFY(got.has_value());
    QCOMPARE(got->face, f.face);
    QCOMPARE(got->size, f.size);
    QCOMPARE(got->bold, f.bold);
    QCOMPARE(got->italic, f.italic);
    QCOMPARE(got->underline, f.underline);
    QCOMPARE(got->strikeout, f.strikeout);
    QCOMPARE(got->color, f.color);
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
// End, as the keyboard would. "Custom..." never stays shown: it either gives
// way to the picked colour or falls back to the previous one.
void chooseColor(QComboBox* combo, const QString& name) {
    if (name == QLatin1String("Custom...")) {
        QTest::keyClick(combo, Qt::Key_End);
        QVERIFY(combo->currentText() != name);
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

Q_DECLARE_METATYPE(tk::FontChoice)
Q_DECLARE_METATYPE(tk::FontFilter)

class FontDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void prefillShownAndReturnedUnchanged_data();
    void prefillShownAndReturnedUnchanged();
    void confirmReturnsChoice_data();
    void confirmReturnsChoice();
    void cancelReturnsNothing_data();
    void cancelReturnsNothing();
    void effectsFollowOptions_data();
    void effectsFollowOptions();
    void facesFollowFilter_data();
    void facesFollowFilter();
    void onlyListedFacesAreTaken_data();
    void onlyListedFacesAreTaken();
    void eachFamilyListedOnce();
    void typingFollowsFaceList();
    void modalLoopAnsweredByKeys_data();
    void modalLoopAnsweredByKeys();
    void customColorThroughColorDialog();

private:
    QString latinFace_;   // a Latin outline face
    QString latinFace2_;  // another one
    QString nonLatinFace_;
    QString bitmapFace_;
    MessageRecorder messages_;
    ScriptedDialogs dialogs_;
};

namespace {
bool isLatinOutline(const QString& family) {
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::Latin) &&
           QFontDatabase::isSmoothlyScalable(family);
}

QString latinOutlineFace(const QString& other) {
    const QStringList preferred{"DejaVu Sans", "Liberation Sans", "DejaVu Serif"};
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

// An outline face of another script without Latin coverage (Debian's
// fonts-droid-fallback has one).
QString nonLatinFace() {
    for (const QString& family : QFontDatabase::families()) {
        const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
        if (!systems.isEmpty() && !systems.contains(QFontDatabase::Latin) &&
            !systems.contains(QFontDatabase::Other) && QFontDatabase::isSmoothlyScalable(family)) {
            return family;
        }
    }
    return {};
}

// A bitmap-only face. fontconfig hides bitmap fonts on Debian by default, so
// one of xfonts-base's PCF files is registered with the application, which is
// also where a user who enables bitmap fonts would see it.
QString bitmapFace() {
    const QFileInfoList files =
        QDir("/usr/share/fonts/X11/misc").entryInfoList({"*ISO8859-1.pcf.gz"}, QDir::Files);
    for (const QFileInfo& file : files) {
        const int id = QFontDatabase::addApplicationFont(file.filePath());
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
    tk::registerFontSubstitutes();
    latinFace_ = latinOutlineFace({});
    latinFace2_ = latinOutlineFace(latinFace_);
    QVERIFY2(!latinFace2_.isEmpty(), "needs two Latin outline fonts (fonts-dejavu-core)");
    nonLatinFace_ = nonLatinFace();
    bitmapFace_ = bitmapFace();
}

void FontDialogTest::cleanup() {
    dialogs_.answer = {};
    dialogs_.colorAnswer = {};
}

void FontDialogTest::prefillShownAndReturnedUnchanged_data() {
    QTest::addColumn<FontChoice>("given");
    QTest::addColumn<QString>("listedAs");
    QTest::addColumn<QString>("sizeText");
    QTest::addColumn<QString>("colorText");
    QTest::addColumn<QColor>("shownColor");

    QTest::newRow("listed face, bold underline, green")
        << FontChoice{latinFace_, 14.0F, true, false, true, false, 0x008000} << latinFace_ << "14"
        << "Green" << QColor(0, 128, 0);
    // The list follows a face given in another case; OK takes the list's spelling.
    QTest::newRow("face in other case, odd size, italic strikethrough, custom colour")
        << FontChoice{latinFace_.toLower(), 10.333333F, false, true, false, true, 0x123456}
        << latinFace_ << "10.3333"
        << "Custom" << QColor(0x56, 0x34, 0x12);
    // A shipped face is listed under its own name.
    QTest::newRow("shipped face, bold italic, window text")
        << FontChoice{QString::fromUtf8("ＭＳ Ｐゴシック"), 9.75F, true, true, false, false,
                      static_cast<int32_t>(0x80000008u)}
        << QString::fromUtf8("ＭＳ Ｐゴシック") << "9.75"
        << "Window Text" << QGuiApplication::palette().color(QPalette::Active, QPalette::Text);
}

void FontDialogTest::prefillShownAndReturnedUnchanged() {
    QFETCH(FontChoice, given);
    QFETCH(QString, listedAs);
    QFETCH(QString, sizeText);
    QFETCH(QString, colorText);
    QFETCH(QColor, shownColor);

    dialogs_.answer = [&](FontDialogWidget& w) {
        [&] {
            QCOMPARE(w.faceEdit()->text(), given.face);
            const QListWidgetItem* face = w.faceList()->currentItem();
            QCOMPARE(face ? face->text() : QString(), listedAs);
            QCOMPARE(w.styleList()->currentRow(), styleRow(given.bold, given.italic));
            QCOMPARE(w.sizeEdit()->text(), sizeText);
            QCOMPARE(w.underlineCheck()->isChecked(), given.underline);
            QCOMPARE(w.strikeoutCheck()->isChecked(), given.strikeout);
            QCOMPARE(w.colorCombo()->currentText(), colorText);
            const QFont sample = w.sampleLabel()->font();
            QCOMPARE(sample.bold(), given.bold);
            QCOMPARE(sample.italic(), given.italic);
            QCOMPARE(sample.underline(), given.underline);
            QCOMPARE(sample.strikeOut(), given.strikeout);
            QCOMPARE(w.sampleLabel()->palette().color(QPalette::WindowText), shownColor);
        }();
        return true;  // confirm without touching anything
    };
    const std::optional<FontChoice> chosen =
        FontDialog(messages_, dialogs_).choose(given, kProgramOptions);
    FontChoice expected = given;
    expected.face = listedAs;
    compareChoice(chosen, expected);
}

void FontDialogTest::confirmReturnsChoice_data() {
    QTest::addColumn<bool>("faceFromList");
    QTest::addColumn<QString>("typedFace");
    QTest::addColumn<bool>("sizeFromList");
    QTest::addColumn<QString>("sizeText");
    QTest::addColumn<QString>("colorChoice");
    QTest::addColumn<QColor>("customColor");  // what the colour picker answers
    QTest::addColumn<FontChoice>("expected");

    QTest::newRow("face from list, bold, 48 typed, underline, green")
        << true << QString() << false << "48"
        << "Green" << QColor()
        << FontChoice{latinFace2_, 48.0F, true, false, true, false, 0x008000};
    QTest::newRow("typed face, italic, 20 from list, strikethrough, custom colour")
        << false << latinFace2_ << true << "20"
        << "Custom..." << QColor(10, 200, 30)
        << FontChoice{latinFace2_, 20.0F, false, true, false, true, 0x1EC80A};
    QTest::newRow("face typed in capitals, bold italic, 10.5, custom colour cancelled")
        << false << latinFace2_.toUpper() << false << "10.5"
        << "Custom..." << QColor()
        << FontChoice{latinFace2_, 10.5F, true, true, true, true, 0x0000FF};
}

void FontDialogTest::confirmReturnsChoice() {
    QFETCH(bool, faceFromList);
    QFETCH(QString, typedFace);
    QFETCH(bool, sizeFromList);
    QFETCH(QString, sizeText);
    QFETCH(QString, colorChoice);
    QFETCH(QColor, customColor);
    QFETCH(FontChoice, expected);

    // Start from the opposite of the expected style and effects, in red.
    const FontChoice given{
        latinFace_,          12.0F,   !expected.bold, !expected.italic, !expected.underline,
        !expected.strikeout, 0x0000FF};
    QColor pickerInitial;
    dialogs_.colorAnswer = [&](const QColor& initial, QWidget*) {
        pickerInitial = initial;
        return customColor;
    };
    dialogs_.answer = [&](FontDialogWidget& w) {
        if (faceFromList) {
            clickRow(w.faceList(), expected.face);
        } else {
            typeInto(w.faceEdit(), typedFace);
        }
        clickRow(w.styleList(),
                 w.styleList()->item(styleRow(expected.bold, expected.italic))->text());
        if (sizeFromList) {
            clickRow(w.sizeList(), sizeText);
        } else {
            typeInto(w.sizeEdit(), sizeText);
        }
        setCheck(w.underlineCheck(), expected.underline);
        setCheck(w.strikeoutCheck(), expected.strikeout);
        chooseColor(w.colorCombo(), colorChoice);
        QTest::mouseClick(w.okButton(), Qt::LeftButton);
        return !QTest::currentTestFailed() && w.result() == QDialog::Accepted;
    };
    compareChoice(FontDialog(messages_, dialogs_).choose(given, kProgramOptions), expected);
    if (colorChoice == QLatin1String("Custom...")) {
        QCOMPARE(pickerInitial, QColor(255, 0, 0));  // starts from the prefilled red
    }
}

void FontDialogTest::cancelReturnsNothing_data() {
    QTest::addColumn<int>("how");  // 0 responder says no, 1 Cancel button, 2 Escape
    QTest::newRow("responder") << 0;
    QTest::newRow("Cancel button") << 1;
    QTest::newRow("Escape") << 2;
}

void FontDialogTest::cancelReturnsNothing() {
    QFETCH(int, how);
    const FontChoice before{latinFace_, 12.0F, false, false, false, false, 0x00FFFF};
    dialogs_.colorAnswer = [](const QColor&, QWidget*) { return QColor(1, 2, 3); };
    dialogs_.answer = [&](FontDialogWidget& w) {
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
        return how != 0 && w.result() == QDialog::Accepted;
    };
    QVERIFY(!FontDialog(messages_, dialogs_).choose(before, kProgramOptions));
}

void FontDialogTest::effectsFollowOptions_data() {
    QTest::addColumn<bool>("shown");
    QTest::newRow("program's options") << true;
    QTest::newRow("without effects") << false;
}

void FontDialogTest::effectsFollowOptions() {
    QFETCH(bool, shown);
    const FontChoice given{latinFace_, 12.0F, false, false, true, true, 0x0000FF};
    dialogs_.answer = [&](FontDialogWidget& w) {
        [&] {
            QCOMPARE(w.effectsGroup()->isVisible(), shown);
            QCOMPARE(w.colorCombo()->isVisible(), shown);
            QCOMPARE(w.sampleLabel()->font().underline(), shown);
        }();
        clickRow(w.styleList(), w.styleList()->item(FontDialogWidget::Bold)->text());
        return true;
    };
    const std::optional<FontChoice> chosen =
        FontDialog(messages_, dialogs_).choose(given, shown ? kProgramOptions : kNoEffectsOptions);
    FontChoice expected = given;  // hidden effects come back as given
    expected.bold = true;
    compareChoice(chosen, expected);
}

void FontDialogTest::facesFollowFilter_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("missing");
    QTest::addColumn<tk::FontFilter>("filter");
    QTest::addColumn<bool>("offered");

    const QString noNonLatin =
        "no outline font without Latin coverage is installed "
        "(Debian's fonts-droid-fallback has one)";
    const QString noBitmap = "no bitmap-only font found (Debian's xfonts-base has them)";
    const tk::FontFilter program = kProgramOptions.faces;
    QTest::newRow("Latin outline, program's filter") << latinFace_ << "" << program << true;
    QTest::newRow("non-Latin, outline only")
        << nonLatinFace_ << noNonLatin << tk::FontFilter{.scalableOnly = true} << true;
    QTest::newRow("non-Latin, program's filter") << nonLatinFace_ << noNonLatin << program << false;
    QTest::newRow("bitmap, Latin only")
        << bitmapFace_ << noBitmap << tk::FontFilter{.latinOnly = true} << true;
    QTest::newRow("bitmap, program's filter") << bitmapFace_ << noBitmap << program << false;
}

void FontDialogTest::facesFollowFilter() {
    QFETCH(QString, face);
    QFETCH(QString, missing);
    QFETCH(tk::FontFilter, filter);
    QFETCH(bool, offered);
    if (face.isEmpty()) {
        QFAIL(qPrintable(missing));
    }
    QVERIFY(QFontDatabase::families().contains(face));

    FontDialogWidget w(FontOptions{.faces = filter, .showEffects = true}, messages_, dialogs_);
    w.show();
    QCOMPARE(w.faceList()->findItems(face, Qt::MatchExactly).size(), offered ? 1 : 0);
    // Typing the face's name does not reach a face that is not offered.
    typeInto(w.faceEdit(), face);
    const QListWidgetItem* current = w.faceList()->currentItem();
    QCOMPARE(current != nullptr && current->text() == face, offered);
}

void FontDialogTest::onlyListedFacesAreTaken_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("nonexistent face") << "No Such Face 123";
    QTest::newRow("face without Latin") << nonLatinFace_;
}

// OK with a face the list lacks keeps the dialog open with a message; the
// same face name in other letters than the list's is taken as listed.
void FontDialogTest::onlyListedFacesAreTaken() {
    QFETCH(QString, typed);
    if (typed.isEmpty()) {
        QFAIL("no outline font without Latin coverage (fonts-droid-fallback) is installed");
    }
    messages_.shown.clear();
    const FontChoice given{latinFace_, 12.0F, false, false, false, false, 0};
    dialogs_.answer = [&](FontDialogWidget& w) {
        [&] {
            typeInto(w.faceEdit(), typed);
            QTest::mouseClick(w.okButton(), Qt::LeftButton);
            QCOMPARE(w.result(), int(QDialog::Rejected));
            QVERIFY(w.isVisible());
            QCOMPARE(w.faceEdit()->text(), typed);
            typeInto(w.faceEdit(), latinFace2_.toLower());
            QTest::keyClick(w.faceEdit(), Qt::Key_Return);
        }();
        return w.result() == QDialog::Accepted;
    };
    const std::optional<FontChoice> chosen =
        FontDialog(messages_, dialogs_).choose(given, kProgramOptions);
    QVERIFY(chosen);
    QStringList messages;
    for (const ShownMessage& m : messages_.shown) {
        QVERIFY(m.kind == tk::MessageKind::Warning);
        messages << m.prompt;
    }
    QCOMPARE(messages, QStringList{"There is no font with that name. Choose a font from the list "
                                   "of fonts."});
    QCOMPARE(chosen->face, latinFace2_);

    // A responder confirming an unlisted face is refused as well.
    dialogs_.answer = [&](FontDialogWidget& w) {
        w.faceEdit()->setText(typed);
        return true;
    };
    QVERIFY(!FontDialog(messages_, dialogs_).choose(*chosen, kProgramOptions));
}

// One entry per family: no foundry tags, no generic aliases, and the shipped
// faces under their own names.
void FontDialogTest::eachFamilyListedOnce() {
    const QStringList faces = FontDialogWidget(kProgramOptions, messages_, dialogs_).listedFaces();
    for (const char* alias : {"Sans Serif", "Serif", "Monospace"}) {
        QVERIFY2(!faces.contains(QLatin1String(alias)), alias);
    }
    for (const QString& face : faces) {
        QVERIFY2(!face.contains(u'['), qPrintable(face));
        QCOMPARE(faces.count(face), 1);
    }
    const QStringList tagged = QFontDatabase::families().filter(QStringLiteral("C059 ["));
    QVERIFY2(tagged.size() >= 2,
             "C059 is not installed from two foundries (Debian's fonts-urw-base35)");
    QVERIFY(faces.contains(QStringLiteral("C059")));
    QVERIFY(faces.contains(QString::fromUtf8("ＭＳ Ｐゴシック")));
}

void FontDialogTest::typingFollowsFaceList() {
    FontDialogWidget w(kProgramOptions, messages_, dialogs_);
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

    // Down and up in the edit field move through the list and take the face.
    QTest::keyClick(w.faceEdit(), Qt::Key_Down);
    QCOMPARE(w.faceList()->currentRow(), row + 1);
    QCOMPARE(w.faceEdit()->text(), w.faceList()->item(row + 1)->text());
    QTest::keyClick(w.faceEdit(), Qt::Key_Up);
    QCOMPARE(w.faceEdit()->text(), current->text());

    typeInto(w.sizeEdit(), "36");
    QVERIFY(w.sizeList()->currentItem() != nullptr);
    QCOMPARE(w.sizeList()->currentItem()->text(), QStringLiteral("36"));
}

void FontDialogTest::modalLoopAnsweredByKeys_data() {
    QTest::addColumn<int>("how");  // 0 Escape, 1 type a face and Enter, 2 click OK
    QTest::newRow("Escape cancels") << 0;
    QTest::newRow("typed face and Enter") << 1;
    QTest::newRow("strikethrough and OK clicked") << 2;
}

void FontDialogTest::modalLoopAnsweredByKeys() {
    QFETCH(int, how);
    const FontChoice given{latinFace_, 12.0F, false, false, false, false, 0};
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
    const std::optional<FontChoice> chosen =
        FontDialog(messages_, dialogs_).choose(given, kProgramOptions);
    QVERIFY(answer.answered());
    QCOMPARE(chosen.has_value(), how != 0);
    if (chosen) {
        QCOMPARE(chosen->face, how == 1 ? latinFace2_ : latinFace_);
        QCOMPARE(chosen->strikeout, how == 2);
    }
}

void FontDialogTest::customColorThroughColorDialog() {
    const FontChoice given{latinFace_, 12.0F, false, false, false, false, 0xFF0000};
    QColor initial;
    ModalAnswer<QColorDialog> answer([&](QColorDialog& colors) {
        initial = colors.currentColor();
        colors.setCurrentColor(QColor(0x11, 0x22, 0x33));
        colors.accept();
    });
    dialogs_.answer = [&](FontDialogWidget& w) {
        chooseColor(w.colorCombo(), "Custom...");
        return true;
    };
    const std::optional<FontChoice> chosen =
        FontDialog(messages_, dialogs_).choose(given, kProgramOptions);
    QVERIFY(answer.answered());
    QCOMPARE(initial, QColor(0, 0, 255));
    QVERIFY(chosen);
    QCOMPARE(chosen->color, int32_t{0x00332211});
}

QTEST_MAIN(FontDialogTest)
#include "FontDialogTest.moc"
