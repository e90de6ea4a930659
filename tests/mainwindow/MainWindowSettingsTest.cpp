// The settings file as the main window reads it at load and writes it at
// unload.
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include "mainwindow/WindowHarness.h"
#include "support/TempHome.h"
#include "toolkit/OptionButton.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Units.h"

using mainwindow::MainWindow;

namespace {

void writeFile(const QString& path, const QByteArray& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

QStringList lines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

}  // namespace

class MainWindowSettingsTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TempHome> home_;
    QString ini() const { return home_->root() + "/Tessaryn.ini"; }
    QSize designSize() const { return MainWindow::designInnerSize(); }

private slots:
    void init() { home_ = std::make_unique<TempHome>(); }
    void cleanup() { home_.reset(); }

    void firstStartThenTheTwelveKeysInOrder() {
        auto form = startForm(ini());
        QCOMPARE(form->pos(), QPoint(0, 0));
        QCOMPARE(form->size(), designSize());
        QCOMPARE(form->kindButtons[2]->textColor(), 0x00FF0000);
        const QFont font = form->preview->surface()->font();
        QCOMPARE(font.family(), QStringLiteral("ＭＳ Ｐゴシック"));
        QVERIFY(!font.bold());
        QVERIFY(!font.italic());
        QVERIFY(!font.underline());
        QVERIFY(!QFile::exists(ini()));

        form->close();
        const QStringList l = lines(ini());
        const QStringList keys = {"[FontSetting]", "Name=",   "Color0=", "Color1=",    "Color2=",
                                  "Color3=",       "Italic=", "Bold=",   "Underline=", "[FormPos]",
                                  "Top=",          "Left=",   "Height=", "Width="};
        QCOMPARE(l.size(), keys.size());
        for (qsizetype i = 0; i < keys.size(); ++i) {
            QVERIFY2(l[i].startsWith(keys[i]), qPrintable(l[i]));
        }
        QCOMPARE(l[1], QStringLiteral("Name=ＭＳ Ｐゴシック"));
        QCOMPARE(l[2], QStringLiteral("Color0=16777215"));
        QCOMPARE(l[4], QStringLiteral("Color2=16711680"));
        QCOMPARE(l[6], QStringLiteral("Italic=False"));
        QCOMPARE(
            l[12],
            QStringLiteral("Height=%1").arg(qRound(tk::pixelsToTwipsY(designSize().height()))));
    }

    void positionAndSize_data() {
        QTest::addColumn<QByteArray>("formPos");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("sized");
        QTest::newRow("all four") << QByteArray("Top=1200\nLeft=1500\nHeight=6000\nWidth=7500\n")
                                  << QPoint(100, 80) << true;
        QTest::newRow("height 0") << QByteArray("Top=1200\nLeft=1500\nHeight=0\nWidth=7500\n")
                                  << QPoint(100, 80) << false;
        QTest::newRow("width missing")
            << QByteArray("Top=1200\nLeft=1500\nHeight=6000\n") << QPoint(100, 80) << false;
        QTest::newRow("blanks and halves")
            << QByteArray("Top=  1200.5 \nLeft=1501.5\n") << QPoint(100, 80) << false;
        QTest::newRow("other letter cases")
            << QByteArray("[formpos]\nTOP=1200\nleft=1500\nHEIGHT=6000\nwidth=7500\n")
            << QPoint(100, 80) << true;
    }
    void positionAndSize() {
        QFETCH(QByteArray, formPos);
        QFETCH(QPoint, pos);
        QFETCH(bool, sized);
        tk::overrideDpi(96);
        writeFile(ini(), formPos.startsWith('[') ? formPos : "[FormPos]\n" + formPos);
        auto form = startForm(ini());
        QCOMPARE(form->pos(), pos);
        QCOMPARE(form->size(), sized ? QSize(500, 400) : designSize());
        tk::overrideDpi(0);
    }

    void colours_data() {
        QTest::addColumn<QByteArray>("color2");
        QTest::addColumn<int>("saturday");
        QTest::newRow("-1") << QByteArray("Color2=-1\n") << 0x00FF0000;
        QTest::newRow("abc") << QByteArray("Color2=abc\n") << 0x00FF0000;
        QTest::newRow("missing") << QByteArray() << 0x00FF0000;
        QTest::newRow("blue") << QByteArray("Color2=16711680\n") << 0x00FF0000;
        QTest::newRow("green") << QByteArray("color2 = 65280\n") << 0x0000FF00;
        QTest::newRow("system colour reads as missing")
            << QByteArray("Color2=-2147483631\n") << 0x00FF0000;
    }
    void colours() {
        QFETCH(QByteArray, color2);
        QFETCH(int, saturday);
        writeFile(ini(), "[fontsetting]\nColor1=255\n" + color2);
        auto form = startForm(ini());
        QCOMPARE(form->kindButtons[2]->textColor(), saturday);
        QCOMPARE(form->kindButtons[1]->textColor(), 255);
        QCOMPARE(form->kindButtons[3]->textColor(), 0x0000FFFF);
    }

    void italicAndGreenSaturdaySurviveARestart() {
        {
            auto form = startForm(ini());
            QFont font = form->preview->surface()->font();
            font.setItalic(true);
            font.setFamily(QStringLiteral("No Such Face"));
            form->preview->surface()->setFont(font);
            form->kindButtons[2]->setTextColor(0x0000FF00);
            form->move(150, 90);
            form->resize(400, 330);
            form->close();
        }
        const QStringList l = lines(ini());
        QVERIFY(l.contains(QStringLiteral("Italic=True")));
        QVERIFY(l.contains(QStringLiteral("Color2=65280")));
        QVERIFY(l.contains(QStringLiteral("Name=No Such Face")));

        auto again = startForm(ini());
        QVERIFY(again->preview->surface()->font().italic());
        QVERIFY(!again->preview->surface()->font().bold());
        QCOMPARE(again->preview->surface()->font().family(), QStringLiteral("No Such Face"));
        QCOMPARE(again->fontButton->text(), QStringLiteral("FontName : No Such Face"));
        QCOMPARE(again->kindButtons[2]->textColor(), 0x0000FF00);
        QCOMPARE(again->pos(), QPoint(150, 90));
        QCOMPARE(again->size(), QSize(400, 330));
    }

    void strikethroughIsNotKept() {
        {
            auto form = startForm(ini());
            QFont font = form->preview->surface()->font();
            font.setStrikeOut(true);
            form->preview->surface()->setFont(font);
            form->close();
        }
        QVERIFY(!lines(ini()).join(u'\n').contains(QStringLiteral("trike"), Qt::CaseInsensitive));
        auto again = startForm(ini());
        QVERIFY(!again->preview->surface()->font().strikeOut());
    }

    void anUnwritableDirectoryLosesTheSettingsQuietly() {
        // A "directory" that is a plain file cannot be written, whoever runs it.
        const QString notADir = home_->root() + "/plain";
        writeFile(notADir, "keep me");
        auto form = startForm(notADir + "/Tessaryn.ini");
        form->close();
        QVERIFY(QFileInfo(notADir).isFile());
        QCOMPARE(QFileInfo(notADir).size(), qint64(7));
        QCOMPARE(QDir(home_->root()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries, QDir::Name),
                 (QStringList{"config", "data", "plain"}));
    }

    void aCorruptFileNeverBlocksTheStart() {
        QByteArray junk(200000, '\0');
        for (int i = 0; i < junk.size(); ++i) {
            junk[i] = static_cast<char>((i * 7919) % 251);
        }
        writeFile(ini(),
                  junk + "\n[FontSetting]\nColor3=99999999999\nName=" + QByteArray(5000, 'x'));
        auto form = startForm(ini());
        QCOMPARE(form->kindButtons[3]->textColor(), 0x0000FFFF);
        QCOMPARE(form->preview->surface()->font().family().size(), 1023);
    }
};

QTEST_MAIN(MainWindowSettingsTest)
#include "MainWindowSettingsTest.moc"
