// The font button: one font for the whole calendar, one colour for the
// selected kind of text, answered through the dialog's test seam.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "mainwindow/WindowHarness.h"
#include "support/TempHome.h"
#include "toolkit/OptionButton.h"
#include "toolkit/PictureBox.h"
#include "toolkit/fontdialog/FontDialogWidget.h"

using mainwindow::MainWindow;

namespace {

void chooseColour(tk::FontDialogWidget& w, const QString& name) {
    const int i = w.colorCombo()->findText(name);
    QVERIFY2(i >= 0, qPrintable(name));
    w.colorCombo()->setCurrentIndex(i);
    emit w.colorCombo()->activated(i);
}

// Answers the next dialog with `act`, recording what it was prefilled with.
struct Answer {
    QString face;
    QString size;
    bool strikeout = false;
    int32_t colour = 0;
    int shown = 0;
};

void answerWith(MainWindow& form, Answer& seen, std::function<bool(tk::FontDialogWidget&)> act) {
    fakesOf(form).dialogs.answer = [&seen, act](tk::FontDialogWidget& w) {
        ++seen.shown;
        seen.face = w.faceEdit()->text();
        seen.size = w.sizeEdit()->text();
        seen.strikeout = w.strikeoutCheck()->isChecked();
        seen.colour = w.chosenColor();
        return act(w);
    };
}

}  // namespace

class FontCommandTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TempHome> home_;
    QString ini() const { return home_->root() + "/Tessaryn.ini"; }

private slots:
    void init() { home_ = std::make_unique<TempHome>(); }
    void cleanup() { home_.reset(); }

    void saturdayTurnsGreenInANewFace() {
        auto form = startForm(ini());
        QTest::mouseClick(form->kindButtons[2], Qt::LeftButton, {},
                          QPoint(6, form->kindButtons[2]->height() / 2));
        QVERIFY(form->kindButtons[2]->isChecked());
        Answer seen;
        answerWith(*form, seen, [](tk::FontDialogWidget& w) {
            w.faceEdit()->setText(QStringLiteral("DejaVu Serif"));
            chooseColour(w, QStringLiteral("Lime"));
            return true;
        });
        QTest::mouseClick(form->fontButton, Qt::LeftButton);
        QCOMPARE(seen.shown, 1);
        QCOMPARE(seen.face, QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(seen.colour, 0x00FF0000);  // prefilled with Saturday's blue

        QCOMPARE(form->kindButtons[2]->textColor(), 0x0000FF00);
        QCOMPARE(form->kindButtons[0]->textColor(), 0x00FFFFFF);
        QCOMPARE(form->kindButtons[1]->textColor(), 0x000000FF);
        QCOMPARE(form->kindButtons[3]->textColor(), 0x0000FFFF);
        QCOMPARE(form->fontButton->text(), QStringLiteral("FontName : DejaVu Serif"));
        QCOMPARE(form->fontButton->font().family(), QStringLiteral("DejaVu Serif"));
        const tk::PictureSurface& paper = *form->preview->surface();
        QCOMPARE(paper.font().family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(paper.image(), expectedPreview(*form, form->year(), form->month()));
        // Somewhere in the Saturday column there is green.
        const double f = paper.fontSize();
        bool green = false;
        for (int row = 0; row < 6 && !green; ++row) {
            green = regionHas(paper.image(), dayCell(row, 6, f), QColor(0, 255, 0));
        }
        QVERIFY(green);
    }

    void cancelChangesNothing() {
        auto form = startForm(ini());
        const QImage before = form->preview->surface()->image();
        const QString caption = form->fontButton->text();
        Answer seen;
        answerWith(*form, seen, [](tk::FontDialogWidget& w) {
            w.faceEdit()->setText(QStringLiteral("DejaVu Serif"));
            w.underlineCheck()->setChecked(true);
            chooseColour(w, QStringLiteral("Red"));
            return false;
        });
        QTest::mouseClick(form->fontButton, Qt::LeftButton);
        QCOMPARE(seen.shown, 1);
        QCOMPARE(form->fontButton->text(), caption);
        QCOMPARE(form->kindButtons[3]->textColor(), 0x0000FFFF);
        QVERIFY(!form->preview->surface()->font().underline());
        QCOMPARE(form->preview->surface()->image(), before);
    }

    void theChosenSizeDoesNotLast() {
        auto form = startForm(ini());
        const double ruled = form->preview->surface()->fontSize();
        Answer seen;
        answerWith(*form, seen, [](tk::FontDialogWidget& w) {
            w.sizeEdit()->setText(QStringLiteral("48"));
            return true;
        });
        QTest::mouseClick(form->fontButton, Qt::LeftButton);
        QCOMPARE(seen.size.toDouble(), ruled);
        QCOMPARE(form->preview->surface()->fontSize(), ruled);
    }

    void boldUnderlineAndStrikethroughApplyToAllKinds() {
        auto form = startForm(ini());
        Answer seen;
        answerWith(*form, seen, [](tk::FontDialogWidget& w) {
            w.styleList()->setCurrentRow(2);  // Bold
            w.underlineCheck()->setChecked(true);
            w.strikeoutCheck()->setChecked(true);
            return true;
        });
        QTest::mouseClick(form->fontButton, Qt::LeftButton);
        const QFont font = form->preview->surface()->font();
        QVERIFY(font.bold());
        QVERIFY(font.underline());
        QVERIFY(font.strikeOut());
        QCOMPARE(form->preview->surface()->image(),
                 expectedPreview(*form, form->year(), form->month()));

        // The next opening in the same run still shows strikethrough ticked,
        // even though the preview font is not where the dialog takes it from.
        // A cancelled untick is not kept; a confirmed one is.
        bool confirm = false;
        answerWith(*form, seen, [&confirm](tk::FontDialogWidget& w) {
            w.strikeoutCheck()->setChecked(false);
            return confirm;
        });
        QTest::mouseClick(form->fontButton, Qt::LeftButton);
        QVERIFY(seen.strikeout);
        confirm = true;
        QTest::mouseClick(form->fontButton, Qt::LeftButton);
        QVERIFY(seen.strikeout);
        QVERIFY(!form->preview->surface()->font().strikeOut());
        QTest::mouseClick(form->fontButton, Qt::LeftButton);
        QVERIFY(!seen.strikeout);
    }
};

QTEST_MAIN(FontCommandTest)
#include "FontCommandTest.moc"
