// The main window's rules beyond its controls: the tab order, a stored size
// larger than the desktop or a place off every screen, and one read of the
// settings file while loading.
#include <sys/inotify.h>
#include <unistd.h>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "mainwindow/WindowHarness.h"
#include "support/TempHome.h"
#include "toolkit/OptionButton.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Units.h"

namespace {

void writeFile(const QString& path, const QByteArray& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

QString focusName() {
    const QWidget* w = QApplication::focusWidget();
    return w != nullptr ? w->objectName() : QStringLiteral("<none>");
}

}  // namespace

class WindowRulesTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TempHome> home_;
    QString ini() const { return home_->root() + "/Tessaryn.ini"; }

private slots:
    void init() {
        home_ = std::make_unique<TempHome>();
        tk::overrideDpi(96);
    }
    void cleanup() {
        tk::overrideDpi(0);
        home_.reset();
    }

    // Tab walks the controls in their design order; the option buttons are
    // one stop (the selected one), within which the arrow keys move.
    void tabOrderFollowsDesign() {
        auto form = startForm(ini());
        QApplication::setActiveWindow(form.get());
        form->yearList->setFocus();
        const QStringList design{"yearList", "monthList",  "dragButton",  "closeButton",
                                 "preview",  "fontButton", "kindButton3", "yearList"};
        QStringList walked{focusName()};
        for (int i = 1; i < design.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << focusName();
        }
        QCOMPARE(walked, design);

        QTest::keyClick(form->yearList, Qt::Key_Backtab);
        QCOMPARE(focusName(), QStringLiteral("kindButton3"));
        QTest::keyClick(form->kindButtons[3], Qt::Key_Left);
        QCOMPARE(focusName(), QStringLiteral("kindButton2"));
        QVERIFY(form->kindButtons[2]->isChecked());
        QTest::keyClick(form->kindButtons[2], Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("yearList"));
        QTest::keyClick(form->yearList, Qt::Key_Backtab);
        QCOMPARE(focusName(), QStringLiteral("kindButton2"));
    }

    void sizeAndPlaceOnTheDesktop_data() {
        QTest::addColumn<QByteArray>("formPos");
        QTest::addColumn<QRect>("expected");  // an empty size: the available one
        QTest::newRow("normal stays as read")
            << QByteArray("Top=900\nLeft=1500\nHeight=4005\nWidth=4995\n")
            << QRect(100, 60, 333, 267);
        QTest::newRow("partly off screen stays as read")
            << QByteArray("Top=-1500\nLeft=-3000\nHeight=4500\nWidth=6000\n")
            << QRect(-200, -100, 400, 300);
        QTest::newRow("huge size is limited")
            << QByteArray("Top=0\nLeft=0\nHeight=9999999\nWidth=9999999\n") << QRect(0, 0, 0, 0);
        QTest::newRow("wholly off screen comes back")
            << QByteArray("Top=-9999999\nLeft=9999999\nHeight=4500\nWidth=6000\n")
            << QRect(QPoint(-1, -1), QSize(400, 300));
    }
    void sizeAndPlaceOnTheDesktop() {
        QFETCH(QByteArray, formPos);
        QFETCH(QRect, expected);
        const QScreen* primary = QGuiApplication::primaryScreen();
        if (expected.isEmpty()) {
            expected.setSize(primary->availableVirtualSize());
        }
        if (expected.topLeft() == QPoint(-1, -1)) {
            expected.moveTopLeft(primary->availableGeometry().topLeft());
        }
        writeFile(ini(), "[FormPos]\n" + formPos);
        auto form = startForm(ini());
        QCOMPARE(QRect(form->pos(), form->size()), expected);
        QVERIFY(!form->preview->surface()->pixelSize().isEmpty());
        form->close();
        // What is saved is what was applied.
        form = startForm(ini());
        QCOMPARE(QRect(form->pos(), form->size()), expected);
    }

    // Loading reads a dozen values from one read of the file.
    void loadingOpensTheSettingsFileOnce() {
        QByteArray text = "[FontSetting]\r\nName=DejaVu Serif\r\n";
        for (int k = 0; k < 4; ++k) {
            text += "Color" + QByteArray::number(k) + "=255\r\n";
        }
        writeFile(ini(), text + "[FormPos]\r\nTop=15\r\nLeft=15\r\n");
        const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(fd >= 0);
        // Closes are watched too: identical events in a row would merge into one.
        QVERIFY(inotify_add_watch(fd, QFile::encodeName(ini()).constData(),
                                  IN_OPEN | IN_CLOSE_NOWRITE) >= 0);
        auto form = startForm(ini());
        int opens = 0;
        alignas(inotify_event) char buffer[4096];
        for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
            for (char* p = buffer; p < buffer + n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(p);
                opens += (e->mask & IN_OPEN) != 0 ? 1 : 0;
                p += sizeof(inotify_event) + e->len;
            }
        }
        ::close(fd);
        QCOMPARE(opens, 1);
        QCOMPARE(form->preview->surface()->font().family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(form->kindButtons[2]->textColor(), 255);
        QCOMPARE(form->pos(), QPoint(1, 1));
    }
};

QTEST_MAIN(WindowRulesTest)
#include "WindowRulesTest.moc"
