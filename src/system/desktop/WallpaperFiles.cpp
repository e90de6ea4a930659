#include "system/desktop/WallpaperFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>

#include "system/AtomicWrite.h"
#include "system/PrintableText.h"
#include "system/desktop/PngCopy.h"
#include "toolkit/Translations.h"

namespace desktop {

namespace {

bool isHex(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// An encoded URI path has no blanks, nothing outside ASCII and only complete
// %XX escapes; anything else was written raw.
bool looksEncoded(const QString& s) {
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c.unicode() > 0x7e || c.unicode() <= 0x20) {
            return false;
        }
        if (c == QLatin1Char('%') &&
            (i + 2 >= s.size() || !isHex(s.at(i + 1)) || !isHex(s.at(i + 2)))) {
            return false;
        }
    }
    return true;
}

// Beside a shown copy of a picture from another folder: that picture's path.
const QString kSourceNote = QStringLiteral(".source");
const QString kTiledNote = QStringLiteral(".tiled");

const QRegularExpression& shownCopyPattern() {
    static const QRegularExpression re(QStringLiteral("^\\.(.+)\\.shown-(\\d+)\\.[A-Za-z0-9]+$"));
    return re;
}

}  // namespace

QString pathFromSetting(const QString& setting) {
    const QString& s = setting;
    if (s.startsWith(QLatin1Char('/'))) {
        return s;
    }
    if (!s.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) {
        static const QRegularExpression otherScheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
        return otherScheme.match(s).hasMatch() ? QString() : s;
    }
    QString rest = s.mid(5);
    if (rest.startsWith(QStringLiteral("//"))) {
        rest = rest.mid(2);
        const qsizetype slash = rest.indexOf(QLatin1Char('/'));
        const QString host = slash < 0 ? rest : rest.left(slash);
        if (!host.isEmpty() &&
            host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) != 0) {
            return {};  // a picture on another machine
        }
        rest = slash < 0 ? QString() : rest.mid(slash);
    }
    if (rest.isEmpty()) {
        return {};
    }
    if (!looksEncoded(rest)) {
        return rest;
    }
    const QString decoded = QString::fromUtf8(QByteArray::fromPercentEncoding(rest.toUtf8()));
    // "/a%20b.bmp" may also be a raw name; the file on disk settles it.
    if (decoded != rest && !QFileInfo::exists(decoded) && QFileInfo::exists(rest)) {
        return rest;
    }
    return decoded;
}

QString fileUriOf(const QString& path) {
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

CheckedPicture checkPicture(const QString& path) {
    if (path.isEmpty()) {
        return {{}, tk::Text::tr("no picture was given")};
    }
    const QFileInfo info(path);
    if (!info.isFile()) {
        return {{}, tk::Text::tr("the picture \"%1\" does not exist").arg(path)};
    }
    if (!info.isReadable()) {
        return {{}, tk::Text::tr("the picture \"%1\" cannot be read").arg(path)};
    }
    return {info.absoluteFilePath(), {}};
}

CheckedPicture refuseLineBreak(CheckedPicture picture, const QString& keeper) {
    if (picture.error.isEmpty() && sys::hasLineBreak(picture.path)) {
        picture.error = tk::Text::tr(
                            "the picture \"%1\" has a line break in its name, which %2 would "
                            "read as two lines; rename the file")
                            .arg(sys::printable(picture.path), keeper);
        picture.path.clear();
    }
    return picture;
}

bool isTiledScreenCopy(const QString& path) {
    return isShownCopy(path) && QFileInfo::exists(path + kTiledNote);
}

bool isShownCopy(const QString& path) {
    return shownCopyPattern().match(QFileInfo(path).fileName()).hasMatch();
}

QString originalOfShownCopy(const QString& path) {
    const QFileInfo info(path);
    const QRegularExpressionMatch m = shownCopyPattern().match(info.fileName());
    if (!m.hasMatch()) {
        return path;
    }
    const QString beside = info.path() + QLatin1Char('/') + m.captured(1);
    if (QFileInfo::exists(beside)) {
        return beside;
    }
    // A copy of a picture from elsewhere names it in a note beside the copy.
    QFile note(path + kSourceNote);
    const QString source =
        note.open(QIODevice::ReadOnly) ? QString::fromUtf8(note.read(4096)) : QString();
    return !source.isEmpty() && QFileInfo::exists(source) ? source : path;
}

QString makeShownCopy(const QString& source, const QString& shown, CopyFormat format,
                      QString* error, const QString& directory) {
    const QFileInfo info(source);
    const QString ext = format == CopyFormat::Png ? QStringLiteral("png") : info.suffix();
    QString name = info.fileName();
    name.replace(QLatin1Char(','), QLatin1Char('_'));
    if (!QDir().mkpath(directory)) {
        *error = tk::Text::tr("cannot make the folder \"%1\"").arg(directory);
        return {};
    }
    const QString base = directory + QStringLiteral("/.") + name + QStringLiteral(".shown-");
    const QString first = base + QStringLiteral("1.") + ext;
    const QString second = base + QStringLiteral("2.") + ext;
    const QString target = QFileInfo(shown).absoluteFilePath() == first ? second : first;

    const QString note = target + kSourceNote;
    if (info.absolutePath() == QFileInfo(directory).absoluteFilePath()) {
        QFile::remove(note);
    } else if (QString why;
               !sys::replaceFileAtomically(note, info.absoluteFilePath().toUtf8(), &why)) {
        *error = tk::Text::tr("cannot write \"%1\": %2").arg(note, why);
        return {};
    }
    if (format == CopyFormat::Png) {
        const QString why = writePngCopy(source, target);
        if (!why.isEmpty()) {
            *error = tk::Text::tr("cannot write \"%1\": %2").arg(target, why);
            return {};
        }
        return target;
    }
    if (QString why = sys::copyFileAtomically(source, target); !why.isEmpty()) {
        *error = why;
        return {};
    }
    return target;
}

QString pathToHand(const QString& source, const QString& shown, const QString& directory,
                   QString* error) {
    const QString path = QFileInfo(source).absoluteFilePath();
    const bool ours = QFileInfo(path).absolutePath() == QFileInfo(directory).absoluteFilePath();
    if (!ours && path != QFileInfo(shown).absoluteFilePath()) {
        return path;
    }
    return makeShownCopy(source, shown, CopyFormat::Same, error, directory);
}

QString makeFreshCopy(const QString& source, const QString& directory,
                      const QStringList& stillShown, QString* error, const QImage* content) {
    if (!QDir().mkpath(directory)) {
        *error = tk::Text::tr("cannot make the folder \"%1\"").arg(directory);
        return {};
    }
    QString name = QFileInfo(source).fileName();
    name.replace(QLatin1Char(','), QLatin1Char('_'));
    const QString prefix = QLatin1Char('.') + name + QStringLiteral(".shown-");
    const QDir dir(directory);
    qulonglong last = 0;
    QStringList earlier;
    // (Not a name filter: the picture's name may hold *, ? or [.)
    for (const QString& file : dir.entryList(QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch m = shownCopyPattern().match(file);
        if (file.startsWith(prefix) && m.hasMatch() && m.captured(1) == name) {
            last = std::max(last, m.captured(2).toULongLong());
            earlier << dir.filePath(file);
        }
    }
    // Numbers 1 and 2 are the alternating copies other desktops get.
    QString suffix = QFileInfo(source).suffix();
    if (content && !QImageWriter::supportedImageFormats().contains(suffix.toLower().toLatin1())) {
        suffix = QStringLiteral("png");
    }
    const QString fresh = dir.filePath(prefix + QString::number(std::max<qulonglong>(last, 2) + 1) +
                                       QLatin1Char('.') + suffix);
    const QString note = fresh + kSourceNote;
    if (QFileInfo(source).absolutePath() == QFileInfo(directory).absoluteFilePath()) {
        QFile::remove(note);
    } else if (QString why; !sys::replaceFileAtomically(
                   note, QFileInfo(source).absoluteFilePath().toUtf8(), &why)) {
        *error = tk::Text::tr("cannot write \"%1\": %2").arg(note, why);
        return {};
    }
    QString why;
    if (content) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!content->save(&buffer, suffix.toLower().toLatin1().constData())) {
            why = tk::Text::tr("the tiled picture could not be encoded");
        } else if (sys::replaceFileAtomically(fresh, bytes, &why) &&
                   !sys::replaceFileAtomically(fresh + kTiledNote, {}, &why)) {
            QFile::remove(fresh);
        }
    } else {
        why = sys::copyFileAtomically(source, fresh);
        QFile::remove(fresh + kTiledNote);
    }
    if (!why.isEmpty()) {
        QFile::remove(note);
        *error = why;
        return {};
    }
    for (const QString& old : earlier) {
        if (old != fresh && !stillShown.contains(old)) {
            QFile::remove(old);
            QFile::remove(old + kSourceNote);
            QFile::remove(old + kTiledNote);
        }
    }
    return fresh;
}

}  // namespace desktop
