// Pixel checks for the end-to-end scripts, which look at screenshots.
//   pixelprobe count FILE X Y W H RRGGBB [TOLERANCE]  pixels near a colour
//   pixelprobe diff FILE1 FILE2 X Y W H [TOL]         pixels that differ (by more
//                                                      than TOL in a channel)
//   pixelprobe size FILE                              "W H"
//   pixelprobe ink FILE X Y W H TOL RRGGBB...         "X Y W H" of the pixels near any
//                                                      of the colours ("none": none are)
//   pixelprobe bbox FILE1 FILE2 [X Y W H]             "X Y W H" of the pixels that
//                                                      differ ("none" when none do)
#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

namespace {

int usage() {
    std::fputs("usage: pixelprobe count FILE X Y W H RRGGBB [TOL] | diff A B X Y W H | size FILE\n",
               stderr);
    return 2;
}

QRect rectFrom(const QStringList& a, int at) {
    return {a[at].toInt(), a[at + 1].toInt(), a[at + 2].toInt(), a[at + 3].toInt()};
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = QCoreApplication::arguments();
    if (a.size() < 3) {
        return usage();
    }
    const QImage img(a[2]);
    if (img.isNull()) {
        std::fprintf(stderr, "pixelprobe: cannot read %s\n", qPrintable(a[2]));
        return 2;
    }
    if (a[1] == QLatin1String("size")) {
        std::printf("%d %d\n", img.width(), img.height());
        return 0;
    }
    if (a[1] == QLatin1String("count") && a.size() >= 8) {
        const QRect r = rectFrom(a, 3).intersected(img.rect());
        const QColor want(QStringLiteral("#") + a[7]);
        const int tol = a.size() > 8 ? a[8].toInt() : 60;
        long n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c = img.pixelColor(x, y);
                n += std::abs(c.red() - want.red()) <= tol &&
                     std::abs(c.green() - want.green()) <= tol &&
                     std::abs(c.blue() - want.blue()) <= tol;
            }
        }
        std::printf("%ld\n", n);
        return 0;
    }
    if (a[1] == QLatin1String("ink") && a.size() >= 9) {
        const QRect r = rectFrom(a, 3).intersected(img.rect());
        const int tol = a[7].toInt();
        QList<QColor> inks;
        for (qsizetype k = 8; k < a.size(); ++k) {
            inks.append(QColor(QStringLiteral("#") + a[k]));
        }
        QRect box;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c = img.pixelColor(x, y);
                for (const QColor& want : inks) {
                    if (std::abs(c.red() - want.red()) <= tol &&
                        std::abs(c.green() - want.green()) <= tol &&
                        std::abs(c.blue() - want.blue()) <= tol) {
                        box |= QRect(x, y, 1, 1);
                        break;
                    }
                }
            }
        }
        if (box.isNull()) {
            std::puts("none");
        } else {
            std::printf("%d %d %d %d\n", box.x(), box.y(), box.width(), box.height());
        }
        return 0;
    }
    if (a[1] == QLatin1String("bbox") && a.size() >= 4) {
        const QImage other(a[3]);
        QRect r = img.rect().intersected(other.rect());
        if (a.size() >= 8) {
            r = rectFrom(a, 4).intersected(r);
        }
        QRect box;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                if (img.pixel(x, y) != other.pixel(x, y)) {
                    box |= QRect(x, y, 1, 1);
                }
            }
        }
        if (box.isNull()) {
            std::puts("none");
        } else {
            std::printf("%d %d %d %d\n", box.x(), box.y(), box.width(), box.height());
        }
        return 0;
    }
    if (a[1] == QLatin1String("diff") && a.size() >= 8) {
        const QImage other(a[3]);
        const QRect r = rectFrom(a, 4).intersected(img.rect()).intersected(other.rect());
        const int tol = a.size() > 8 ? a[8].toInt() : -1;
        long n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor p = img.pixelColor(x, y), q = other.pixelColor(x, y);
                n += tol < 0 ? img.pixel(x, y) != other.pixel(x, y)
                             : std::abs(p.red() - q.red()) > tol ||
                                   std::abs(p.green() - q.green()) > tol ||
                                   std::abs(p.blue() - q.blue()) > tol;
            }
        }
        std::printf("%ld\n", n);
        return 0;
    }
    return usage();
}
