#include "composition/CompositionRecord.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QUrl>

#include "composition/CalendarBounds.h"
#include "system/DataFolder.h"
#include "system/desktop/WallpaperFiles.h"
#include "system/registry/Hive.h"
#include "toolkit/Translations.h"
#include "toolkit/picture/ContentHash.h"

namespace composition {

namespace {

const QString kCalendarPrefix = QStringLiteral("Calendar ");

QByteArray keyPath() {
    return QByteArray(kRecordKey);
}

QByteArray stringData(const QString& text) {
    return text.toLocal8Bit() + '\0';
}

QString stringOf(const reg::Value& v) {
    const qsizetype end = v.data.indexOf('\0');
    return QString::fromLocal8Bit(end < 0 ? v.data : v.data.left(end));
}

QString hiveFailure(const reg::Hive& hive) {
    return tk::Text::tr("the registry hive %1 cannot be used: %2")
        .arg(hive.path(), hive.errorText());
}

QString colorText(int32_t c) {
    return QStringLiteral("0x%1").arg(static_cast<uint32_t>(c), 8, 16, QLatin1Char('0'));
}

std::optional<qint64> integer(const QString& text) {
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(v) : std::nullopt;
}

}  // namespace

int monthIndex(int year, int month) {
    return year * 12 + (month - 1);
}
int yearOf(int index) {
    return index / 12;
}
int monthOf(int index) {
    return index % 12 + 1;
}
QString monthText(int index) {
    return QStringLiteral("%1-%2")
        .arg(yearOf(index), 4, 10, QLatin1Char('0'))
        .arg(monthOf(index), 2, 10, QLatin1Char('0'));
}
std::optional<int> parseMonth(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^(\\d{4})-(\\d{2})$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    const int month = m.captured(2).toInt();
    if (month < 1 || month > 12) {
        return std::nullopt;
    }
    return monthIndex(m.captured(1).toInt(), month);
}

bool RecordedCalendar::forComingMonth() const {
    return offset == 1 && placedOn.isValid() && placedOn.day() >= placedOn.daysInMonth() - 6;
}

int RecordedCalendar::offsetIn(int current) const {
    return forComingMonth() && current > placedIn ? 0 : offset;
}

PlacedCalendar RecordedCalendar::forMonth(int current) const {
    PlacedCalendar c = look;
    const int shown = current + offsetIn(current);
    c.year = yearOf(shown);
    c.month = monthOf(shown);
    return c;
}

QString calendarText(const RecordedCalendar& c) {
    const PlacedCalendar& l = c.look;
    QStringList colors;
    for (const int32_t v : l.colors) {
        colors << colorText(v);
    }
    return QStringLiteral("at=%1,%2;px=%3;style=%4%5%6%7;colors=%8;placed=%9;offset=%10;face=%11")
        .arg(QString::number(l.at.x(), 'g', 17), QString::number(l.at.y(), 'g', 17),
             QString::number(l.fontPixels, 'g', 17))
        .arg(l.bold ? QStringLiteral("b") : QString(), l.italic ? QStringLiteral("i") : QString(),
             l.underline ? QStringLiteral("u") : QString(),
             l.strikeout ? QStringLiteral("s") : QString())
        .arg(colors.join(QLatin1Char(',')), monthText(c.placedIn))
        .arg(c.offset)
        .arg(QString::fromLatin1(QUrl::toPercentEncoding(l.face)))
        .append(l.uneven()
                    ? QStringLiteral(";k=%1,%2")
                          .arg(QString::number(l.kx, 'g', 17), QString::number(l.ky, 'g', 17))
                    : QString())
        .append(c.placedOn.isValid()
                    ? QStringLiteral(";placedOn=") + c.placedOn.toString(Qt::ISODate)
                    : QString());
}

std::optional<RecordedCalendar> parseCalendarText(const QString& text) {
    QMap<QString, QString> fields;
    for (const QString& part : text.split(QLatin1Char(';'))) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            return std::nullopt;
        }
        fields.insert(part.left(eq), part.mid(eq + 1));
    }
    for (const char* need : {"at", "px", "style", "colors", "placed", "offset", "face"}) {
        if (!fields.contains(QLatin1String(need))) {
            return std::nullopt;
        }
    }
    RecordedCalendar c;
    bool okX = false;
    bool okY = false;
    bool okPx = false;
    const QStringList at = fields[QStringLiteral("at")].split(QLatin1Char(','));
    if (at.size() != 2) {
        return std::nullopt;
    }
    c.look.at = QPointF(at[0].toDouble(&okX), at[1].toDouble(&okY));
    c.look.fontPixels = fields[QStringLiteral("px")].toDouble(&okPx);
    // NaN and infinities read as numbers: the ranges keep them out.
    if (!okX || !okY || !okPx || !positionInRange(c.look.at.x()) ||
        !positionInRange(c.look.at.y()) || !fontPixelsInRange(c.look.fontPixels)) {
        return std::nullopt;
    }
    const QString style = fields[QStringLiteral("style")];
    c.look.bold = style.contains(QLatin1Char('b'));
    c.look.italic = style.contains(QLatin1Char('i'));
    c.look.underline = style.contains(QLatin1Char('u'));
    c.look.strikeout = style.contains(QLatin1Char('s'));
    const QStringList colors = fields[QStringLiteral("colors")].split(QLatin1Char(','));
    if (colors.size() != 4) {
        return std::nullopt;
    }
    for (size_t k = 0; k < 4; ++k) {
        bool ok = false;
        c.look.colors[k] = static_cast<int32_t>(colors[static_cast<qsizetype>(k)].toUInt(&ok, 16));
        if (!ok) {
            return std::nullopt;
        }
    }
    const auto placed = parseMonth(fields[QStringLiteral("placed")]);
    bool okOffset = false;
    c.offset = fields[QStringLiteral("offset")].toInt(&okOffset);
    if (!placed || !okOffset || c.offset < -1200 || c.offset > 1200) {
        return std::nullopt;
    }
    c.placedIn = *placed;
    const int shown = c.placedIn + c.offset;
    c.look.year = yearOf(shown);
    c.look.month = monthOf(shown);
    c.look.face = QUrl::fromPercentEncoding(fields[QStringLiteral("face")].toLatin1());
    if (c.look.face.isEmpty()) {
        return std::nullopt;
    }
    if (fields.contains(QStringLiteral("k"))) {
        const QStringList k = fields[QStringLiteral("k")].split(QLatin1Char(','));
        bool okKx = false;
        bool okKy = false;
        if (k.size() != 2) {
            return std::nullopt;
        }
        c.look.kx = k[0].toDouble(&okKx);
        c.look.ky = k[1].toDouble(&okKy);
        if (!okKx || !okKy || c.look.kx < 1e-3 || c.look.ky < 1e-3 || c.look.kx > 1e3 ||
            c.look.ky > 1e3) {
            return std::nullopt;
        }
    }
    if (fields.contains(QStringLiteral("placedOn"))) {
        c.placedOn = QDate::fromString(fields[QStringLiteral("placedOn")], Qt::ISODate);
        if (!c.placedOn.isValid() ||
            monthIndex(c.placedOn.year(), c.placedOn.month()) != c.placedIn) {
            return std::nullopt;
        }
    }
    return c;
}

ReadResult readRecord() {
    ReadResult result;
    reg::Hive hive(reg::hivePath(), reg::Hive::Mode::Read);
    if (hive.status() == reg::Status::NotFound) {
        return result;
    }
    if (hive.status() != reg::Status::Ok) {
        result.state = ReadResult::State::Unreadable;
        result.error = hiveFailure(hive);
        return result;
    }
    reg::KeyListing listing;
    const reg::Status r = hive.listKey(reg::Root::CurrentUser, keyPath(), &listing);
    if (r == reg::Status::NotFound) {
        return result;
    }
    if (r != reg::Status::Ok) {
        result.state = ReadResult::State::Unreadable;
        result.error = hiveFailure(hive);
        return result;
    }
    QMap<QString, QString> values;  // names without regard to case
    for (const reg::Value& v : listing.values) {
        values.insert(QString::fromLocal8Bit(v.name).toLower(), stringOf(v));
    }
    auto damaged = [&](const QString& why) {
        result.state = ReadResult::State::Damaged;
        result.error = tk::Text::tr("the composition record (HKCU\\%1) is damaged: %2")
                           .arg(QString::fromLatin1(kRecordKey), why);
        return result;
    };
    Record& rec = result.record;
    for (const char* need : {"original", "kept", "desktop", "output"}) {
        if (values.value(QLatin1String(need)).isEmpty()) {
            return damaged(tk::Text::tr("no value \"%1\"").arg(QLatin1String(need)));
        }
    }
    rec.original = values[QStringLiteral("original")];
    rec.kept = values[QStringLiteral("kept")];
    rec.desktop = values[QStringLiteral("desktop")];
    rec.output = values[QStringLiteral("output")];
    // The kept copy is known by its hash; older records knew it by size and
    // time, which a refresh then replaces with the hash.
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{32}$"));
    rec.keptHash = values.value(QStringLiteral("kepthash")).toLatin1();
    if (!rec.keptHash.isEmpty() && !hex.match(QString::fromLatin1(rec.keptHash)).hasMatch()) {
        return damaged(
            QStringLiteral("\"KeptHash\" is no hash: %1").arg(QString::fromLatin1(rec.keptHash)));
    }
    const auto size = integer(values.value(QStringLiteral("keptsize")));
    const auto modified = integer(values.value(QStringLiteral("keptmodified")));
    if (rec.keptHash.isEmpty() && (!size || !modified)) {
        return damaged(tk::Text::tr("the kept copy's hash, size or time is missing"));
    }
    rec.places = values.value(QStringLiteral("places"));
    rec.locale = values.value(QStringLiteral("locale"));
    rec.keptSize = size.value_or(0);
    rec.keptModified = modified.value_or(0);
    rec.tile = values.value(QStringLiteral("tilewallpaper")) == QStringLiteral("1") ? 1 : 0;
    rec.restored = values.value(QStringLiteral("restored")) == QStringLiteral("1");
    const auto layout = parseLayoutText(values.value(QStringLiteral("layout")));
    if (!layout) {
        return damaged(QStringLiteral("\"Layout\" cannot be read: %1")
                           .arg(values.value(QStringLiteral("layout"))));
    }
    rec.layout = *layout;
    const QString composed = values.value(QStringLiteral("composedfor"));
    if (!composed.isEmpty()) {
        rec.composedFor = parseMonth(composed);
        if (!rec.composedFor) {
            return damaged(QStringLiteral("\"ComposedFor\" is no month: %1").arg(composed));
        }
    }
    for (int n = 1;; ++n) {
        const QString name = (kCalendarPrefix + QString::number(n)).toLower();
        if (!values.contains(name)) {
            break;
        }
        if (const auto c = parseCalendarText(values[name])) {
            rec.calendars.push_back(*c);
            result.calendarNumbers.push_back(n);
        } else {
            result.damagedCalendars.push_back(n);
        }
    }
    const auto strays = std::count_if(values.keyBegin(), values.keyEnd(), [](const QString& k) {
        return k.startsWith(kCalendarPrefix.toLower());
    });
    if (strays != static_cast<qsizetype>(rec.calendars.size() + result.damagedCalendars.size())) {
        result.damagedCalendars.clear();
        return damaged(tk::Text::tr("the calendars are not numbered 1, 2, 3, ..."));
    }
    if (!result.damagedCalendars.empty()) {
        const int first = result.damagedCalendars.front();
        return damaged(
            QStringLiteral("\"Calendar %1\" cannot be read (tessaryn forget %1 drops it)")
                .arg(first));
    }
    result.state = ReadResult::State::Ok;
    return result;
}

QString writeRecord(const Record& rec) {
    reg::Hive hive(reg::hivePath(), reg::Hive::Mode::Write);
    if (hive.status() != reg::Status::Ok) {
        return hiveFailure(hive);
    }
    const reg::Status gone = hive.deleteKey(reg::Root::CurrentUser, keyPath());
    if (gone != reg::Status::Ok && gone != reg::Status::NotFound) {
        return hiveFailure(hive);
    }
    QList<QPair<QString, QString>> values{
        {QStringLiteral("Original"), rec.original},
        {QStringLiteral("Kept"), rec.kept},
        {QStringLiteral("KeptSize"), QString::number(rec.keptSize)},
        {QStringLiteral("KeptModified"), QString::number(rec.keptModified)},
        {QStringLiteral("KeptHash"), QString::fromLatin1(rec.keptHash)},
        {QStringLiteral("Places"), rec.places},
        {QStringLiteral("Locale"), rec.locale},
        {QStringLiteral("Desktop"), rec.desktop},
        {QStringLiteral("TileWallpaper"), QString::number(rec.tile)},
        {QStringLiteral("Output"), rec.output},
        {QStringLiteral("ComposedFor"), rec.composedFor ? monthText(*rec.composedFor) : QString()},
        {QStringLiteral("Restored"), rec.restored ? QStringLiteral("1") : QStringLiteral("0")},
    };
    if (!rec.layout.isOriginal()) {
        values.append({QStringLiteral("Layout"), layoutText(rec.layout)});
    }
    for (size_t i = 0; i < rec.calendars.size(); ++i) {
        values.append({kCalendarPrefix + QString::number(i + 1), calendarText(rec.calendars[i])});
    }
    for (const auto& [name, text] : values) {
        if (hive.setValue(reg::Root::CurrentUser, keyPath(), name.toLocal8Bit(),
                          reg::ValueType::Text, stringData(text), true) != reg::Status::Ok) {
            return hiveFailure(hive);
        }
    }
    return {};
}

QString removeRecord() {
    reg::Hive hive(reg::hivePath(), reg::Hive::Mode::Write);
    if (hive.status() != reg::Status::Ok) {
        return hiveFailure(hive);
    }
    const reg::Status gone = hive.deleteKey(reg::Root::CurrentUser, keyPath());
    return gone == reg::Status::Ok || gone == reg::Status::NotFound ? QString() : hiveFailure(hive);
}

QString setRecordValue(const QString& name, const QString& text) {
    reg::Hive hive(reg::hivePath(), reg::Hive::Mode::Write);
    if (hive.status() != reg::Status::Ok ||
        hive.setValue(reg::Root::CurrentUser, keyPath(), name.toLocal8Bit(), reg::ValueType::Text,
                      stringData(text), false) != reg::Status::Ok) {
        return hiveFailure(hive);
    }
    return {};
}

QString appendCalendar(const RecordedCalendar& calendar, int number) {
    return setRecordValue(kCalendarPrefix + QString::number(number), calendarText(calendar));
}

QString outputPath() {
    return sys::dataFolder() + QStringLiteral("/Tessavel.bmp");
}

QString keptPathFor(const QString& suffix) {
    return sys::dataFolder() + QStringLiteral("/original.") + suffix.toLower();
}

bool isOurOutput(const QString& path, const QString& recordedOutput) {
    if (path.isEmpty()) {
        return false;
    }
    const QString plain = QFileInfo(desktop::originalOfShownCopy(path)).absoluteFilePath();
    for (const QString& ours : {recordedOutput, outputPath()}) {
        if (!ours.isEmpty() && plain == QFileInfo(ours).absoluteFilePath()) {
            return true;
        }
    }
    return false;
}

QString keptCopyMissing(const Record& rec) {
    return tk::Text::tr(
               "the kept copy of the original wallpaper, %1, is missing and the original %2 is "
               "not the picture it kept; place the calendar again with \"Drag Calendar\"")
        .arg(rec.kept, rec.original);
}

QString keptCopyChanged(const Record& rec) {
    return tk::Text::tr(
               "the kept copy of the original wallpaper, %1, was changed since it was recorded; "
               "place the calendar again with \"Drag Calendar\"")
        .arg(rec.kept);
}

QString keptCopyProblem(const Record& rec) {
    const QFileInfo info(rec.kept);
    if (!info.isFile()) {
        return keptCopyMissing(rec);
    }
    if (!rec.keptHash.isEmpty()) {
        QFile file(rec.kept);
        if (!file.open(QIODevice::ReadOnly)) {
            return tk::Text::tr("the kept copy %1 cannot be read: %2")
                .arg(rec.kept, file.errorString());
        }
        tk::ContentHasher hasher;
        std::vector<char> buffer(1 << 20);
        for (qint64 n; (n = file.read(buffer.data(), qint64(buffer.size()))) > 0;) {
            hasher.add(buffer.data(), std::size_t(n));
        }
        return hasher.hex() == rec.keptHash ? QString() : keptCopyChanged(rec);
    }
    if (info.size() != rec.keptSize ||
        info.lastModified().toMSecsSinceEpoch() != rec.keptModified) {
        return keptCopyChanged(rec);
    }
    return {};
}

}  // namespace composition
