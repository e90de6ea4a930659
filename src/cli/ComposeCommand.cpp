#include "cli/ComposeCommand.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QImageWriter>
#include <optional>

#include "cli/Console.h"
#include "composition/CalendarBounds.h"
#include "composition/ComposeInRows.h"
#include "system/AtomicWrite.h"
#include "toolkit/Translations.h"
#include "toolkit/Units.h"
#include "toolkit/picture/PictureFile.h"

namespace cli {

using tk::Text;

namespace {

bool isBitmapName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix.isEmpty() || suffix == QStringLiteral("bmp") || suffix == QStringLiteral("dib");
}

}  // namespace

QString savePicture(const QImage& picture, const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (isBitmapName(path)) {
        const tk::SaveResult saved = tk::SavePictureAsBitmap(picture, path);
        return saved.ok ? QString() : saved.error;
    }
    if (!QImageWriter::supportedImageFormats().contains(suffix.toLatin1())) {
        return Text::tr("no picture format is known for the extension \".%1\"").arg(suffix);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) {
        return buffer.errorString();
    }
    QImageWriter writer(&buffer, suffix.toLatin1());
    if (!writer.write(picture)) {
        return writer.errorString();
    }
    QString error;
    sys::replaceFileAtomically(path, bytes, &error);
    return error;
}

namespace {

std::optional<int32_t> colorValue(const QString& text) {
    bool ok = false;
    const uint v = text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)
                       ? text.mid(2).toUInt(&ok, 16)
                       : text.toUInt(&ok, 10);
    return ok && v <= 0xFFFFFFu ? std::optional<int32_t>(static_cast<int32_t>(v)) : std::nullopt;
}

}  // namespace

ComposeArguments readComposeArguments(const QStringList& rest) {
    const QCommandLineOption base(QStringLiteral("base"), {}, QStringLiteral("PICTURE"));
    const QCommandLineOption year(QStringLiteral("year"), {}, QStringLiteral("Y"));
    const QCommandLineOption month(QStringLiteral("month"), {}, QStringLiteral("M"));
    const QCommandLineOption at(QStringLiteral("at"), {}, QStringLiteral("X,Y"));
    const QCommandLineOption font(QStringLiteral("font"), {}, QStringLiteral("FACE"));
    const QCommandLineOption size(QStringLiteral("size"), {}, QStringLiteral("PT"));
    const QCommandLineOption style(QStringLiteral("style"), {}, QStringLiteral("STYLE"));
    const QCommandLineOption color(QStringLiteral("color"), {}, QStringLiteral("KIND=0xBBGGRR"));
    const QCommandLineOption out(QStringLiteral("out"), {}, QStringLiteral("FILE"));
    ComposeArguments result;
    const auto failed = [&result](const QString& why) {
        result.error = why;
        return result;
    };
    QCommandLineParser a;
    a.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    a.addOptions({base, year, month, at, font, size, style, color, out});
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    a.addOption(help);
    if (!a.parse(QStringList{QStringLiteral("tessaryn")} + rest)) {
        return failed(a.errorText());
    }
    if (a.isSet(help)) {
        result.help = true;
        return result;
    }
    if (!a.positionalArguments().isEmpty()) {
        return failed(
            Text::tr("compose takes no argument \"%1\"").arg(a.positionalArguments().first()));
    }
    for (const auto* need : {&base, &year, &month, &at, &out}) {
        if (!a.isSet(*need)) {
            return failed(Text::tr("compose needs --%1").arg(need->names().first()));
        }
    }
    ComposeOptions& o = result.options;
    o.base = a.value(base);
    o.out = a.value(out);
    composition::PlacedCalendar& c = o.calendar;
    bool okYear = false;
    bool okMonth = false;
    c.year = a.value(year).toInt(&okYear);
    c.month = a.value(month).toInt(&okMonth);
    if (!okYear || c.year < 100 || c.year > 9998) {
        return failed(
            Text::tr("--year wants a year from 100 to 9998, not \"%1\"").arg(a.value(year)));
    }
    if (!okMonth || c.month < 1 || c.month > 12) {
        return failed(Text::tr("--month wants 1 to 12, not \"%1\"").arg(a.value(month)));
    }
    const QStringList xy = a.value(at).split(QLatin1Char(','));
    bool okX = false;
    bool okY = false;
    if (xy.size() == 2) {
        c.at = QPointF(xy[0].trimmed().toDouble(&okX), xy[1].trimmed().toDouble(&okY));
    }
    if (!okX || !okY || !composition::positionInRange(c.at.x()) ||
        !composition::positionInRange(c.at.y())) {
        return failed(Text::tr("--at wants X,Y in pixels from -1000000 to 1000000, not \"%1\"")
                          .arg(a.value(at)));
    }
    c.face = a.isSet(font) ? a.value(font) : QStringLiteral("ＭＳ Ｐゴシック");
    if (c.face.trimmed().isEmpty()) {
        return failed(Text::tr("--font wants a face name"));
    }
    if (a.isSet(size)) {
        bool ok = false;
        o.sizePoints = a.value(size).toDouble(&ok);
        if (!ok || !composition::pointsInRange(o.sizePoints)) {
            return failed(
                Text::tr("--size wants points from 1 to 2000, not \"%1\"").arg(a.value(size)));
        }
    }
    if (a.isSet(style)) {
        for (const QString& s : a.value(style).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QString w = s.trimmed().toLower();
            if (w == QStringLiteral("bold")) {
                c.bold = true;
            } else if (w == QStringLiteral("italic")) {
                c.italic = true;
            } else if (w == QStringLiteral("underline")) {
                c.underline = true;
            } else if (w == QStringLiteral("strikeout")) {
                c.strikeout = true;
            } else if (w != QStringLiteral("regular")) {
                return failed(Text::tr("--style knows regular, bold, italic, underline, "
                                       "strikeout, not \"%1\"")
                                  .arg(s));
            }
        }
    }
    c.colors = {0x00FFFFFF, 0x000000FF, 0x00FF0000, 0x0000FFFF};
    static const QStringList kinds{QStringLiteral("month"), QStringLiteral("sunday"),
                                   QStringLiteral("saturday"), QStringLiteral("weekday")};
    for (const QString& v : a.values(color)) {
        const QString kind = v.section(QLatin1Char('='), 0, 0).trimmed().toLower();
        const auto value = colorValue(v.section(QLatin1Char('='), 1).trimmed());
        const qsizetype k = kinds.indexOf(kind);
        if (k < 0 || !value) {
            return failed(Text::tr("--color wants month, sunday, saturday or weekday "
                                   "=0xBBGGRR, not \"%1\"")
                              .arg(v));
        }
        c.colors[static_cast<size_t>(k)] = *value;
    }
    return result;
}

int composeOne(const ComposeOptions& o) {
    composition::PlacedCalendar calendar = o.calendar;
    calendar.fontPixels = o.sizePoints * tk::pixelsPerUnitY(tk::Unit::Points);
    const auto wrote = [&o](const QString& error) {
        if (!error.isEmpty()) {
            complain(Text::tr("%1 was not written: %2").arg(o.out, error));
            return 1;
        }
        say(Text::tr("Wrote %1.").arg(o.out));
        return 0;
    };
    if (isBitmapName(o.out)) {
        // A bitmap onto a bitmap: only the rows the calendar reaches are read.
        const composition::RowsComposed rows =
            composition::composeInRows(o.base, {calendar}, o.out);
        if (rows.done) {
            return wrote(rows.error);
        }
    }
    tk::LoadedPicture base = tk::LoadPicture(o.base);
    if (!base.ok()) {
        complain(Text::tr("the picture %1 cannot be used: %2").arg(o.base, base.error));
        return 1;
    }
    const QImage composed = composition::composeCalendars(std::move(base.image), {calendar});
    if (composed.isNull()) {
        return wrote(composition::drawingFailure());
    }
    return wrote(savePicture(composed, o.out));
}

}  // namespace cli
