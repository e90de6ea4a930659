// The main window: its controls, the year and month lists, the preview and
// its layout, and closing.
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "mainwindow/WindowHarness.h"
#include "support/TempHome.h"
#include "toolkit/OptionButton.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Units.h"

using mainwindow::MainWindow;

class MainWindowTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TempHome> home_;
    QString ini() const { return home_->root() + "/Tessaryn.ini"; }

private slots:
    void init() { home_ = std::make_unique<TempHome>(); }
    void cleanup() { home_.reset(); }

    void controlsAtTheirDesignPlaces() {
        auto form = startForm(ini());
        QCOMPARE(form->windowTitle(), QStringLiteral("Tessaryn"));
        const double k = tk::dpiX() / 96.0;
        QCOMPARE(form->size(), QSize(qRound(312 * k), qRound(260 * k)));
        QCOMPARE(form->closeButton->text(), QStringLiteral("Close"));
        QCOMPARE(form->dragButton->text(), QStringLiteral("Drag Calendar"));
        QCOMPARE(form->closeButton->geometry(),
                 QRect(qRound(4 * k), qRound(4 * k), qRound(65 * k), qRound(21 * k)));
        QCOMPARE(form->fontGroup->title(), QStringLiteral("Font Setting"));
        const char* captions[] = {"Month", "Sunday", "Saturday", "Weekday"};
        const int32_t colours[] = {0x00FFFFFF, 0x000000FF, 0x00FF0000, 0x0000FFFF};
        for (size_t i = 0; i < 4; ++i) {
            QCOMPARE(form->kindButtons[i]->text(), QString::fromLatin1(captions[i]));
            QCOMPARE(form->kindButtons[i]->textColor(), colours[i]);
            QCOMPARE(form->kindButtons[i]->isChecked(), i == 3);
        }
        QCOMPARE(form->fontButton->text(), QStringLiteral("FontName : ＭＳ Ｐゴシック"));
        QCOMPARE(form->fontButton->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
        // Tab order: year, month, drag, close, preview, font button, options.
        QWidget* w = form->yearList;
        const QWidget* expected[] = {form->monthList, form->dragButton, form->closeButton,
                                     form->preview,   form->fontButton, form->kindButtons[0]};
        for (const QWidget* next : expected) {
            w = w->nextInFocusChain();
            while (w->focusPolicy() == Qt::NoFocus && w != next) {
                w = w->nextInFocusChain();
            }
            QCOMPARE(w, next);
        }
    }

    void startsOnTodaysMonth_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::newRow("5 March 2026") << 2026 << 3;
        QTest::newRow("7 December 2026") << 2026 << 12;
    }
    void startsOnTodaysMonth() {
        QFETCH(int, year);
        QFETCH(int, month);
        auto form = startForm(ini(), QDate(year, month, 5));
        QCOMPARE(form->yearList->count(), 2);
        QCOMPARE(form->yearList->itemText(0), QString::number(year));
        QCOMPARE(form->yearList->itemText(1), QString::number(year + 1));
        QCOMPARE(form->yearList->currentIndex(), 0);
        QCOMPARE(form->monthList->currentText(), QString::number(month));
        QCOMPARE(form->preview->surface()->scaleMode(), int(tk::Unit::Points));
        QCOMPARE(form->preview->surface()->image(), expectedPreview(*form, year, month));
    }

    void choosingAnotherMonthOrYearRedraws() {
        auto form = startForm(ini(), QDate(2026, 12, 7));
        form->yearList->setCurrentIndex(1);
        QCOMPARE(form->preview->surface()->image(), expectedPreview(*form, 2027, 12));
        form->monthList->setCurrentIndex(0);
        QCOMPARE(form->preview->surface()->image(), expectedPreview(*form, 2027, 1));
        QVERIFY(form->preview->surface()->image() != expectedPreview(*form, 2026, 12));
    }

    void previewFontSizeRule() {
        QCOMPARE(MainWindow::previewFontSize(480, 190), 20);
        QCOMPARE(MainWindow::previewFontSize(232, 200), 14);  // 14.5 rounds to the even 14
        QCOMPARE(MainWindow::previewFontSize(248, 200), 16);  // 15.5 rounds to the even 16
        QCOMPARE(MainWindow::previewFontSize(10, 4), 0);
    }

    void previewFillsTheWindowAndGrowsWithIt() {
        auto form = startForm(ini());
        const double pxPerMm = tk::pixelsPerUnitX(tk::Unit::Millimeters);
        const int margin = form->preview->x();
        QCOMPARE(form->preview->width(), form->width() - 2 * margin);
        QVERIFY(std::abs(form->preview->geometry().bottom() + 1 + 2 * pxPerMm - form->height()) <=
                1.0);
        const double before = form->preview->surface()->fontSize();

        form->resize(900, 700);
        QTRY_COMPARE(form->preview->width(), 900 - 2 * margin);
        tk::PictureSurface& paper = *form->preview->surface();
        QCOMPARE(paper.fontSize(),
                 double(MainWindow::previewFontSize(paper.scaleWidth(), paper.scaleHeight())));
        QVERIFY(paper.fontSize() > before);
    }

    void aTinyWindowNeitherFailsNorDraws() {
        auto form = startForm(ini());
        const QImage before = form->preview->surface()->image();
        form->resize(40, 40);
        QTRY_COMPARE(form->preview->surface()->pixelSize().height(), 0);
        form->resize(312, 103);  // a box a few pixels high: font size below 1
        QTRY_VERIFY(form->preview->surface()->pixelSize().height() < 8);
        form->resize(312, 260);
        QTRY_COMPARE(form->preview->surface()->image().size(), before.size());
        QCOMPARE(form->preview->surface()->image(), before);
    }

    void closeAndEscEndTheProgram() {
        for (const bool viaEsc : {false, true}) {
            auto form = startForm(ini());
            QSignalSpy ended(form.get(), &MainWindow::unloaded);
            if (viaEsc) {
                QTest::keyClick(form.get(), Qt::Key_Escape);
            } else {
                QTest::mouseClick(form->closeButton, Qt::LeftButton);
            }
            QCOMPARE(ended.count(), 1);
            QVERIFY(!form->isVisible());
        }
        auto form = startForm(ini());
        QSignalSpy ended(form.get(), &MainWindow::unloaded);
        form->close();  // the window's own close box
        QCOMPARE(ended.count(), 1);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
