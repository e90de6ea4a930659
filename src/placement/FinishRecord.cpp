#include "placement/FinishRecord.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "placement/CompositionRecord.h"
#include "placement/RecordLock.h"
#include "system/profile/AtomicWrite.h"
#include "toolkit/files/RegularFiles.h"
#include "toolkit/picture/PictureFile.h"

namespace composition {

namespace {

// Picture files whose bytes load to exactly the pixels the placement showed.
// Anything else (an SVG, a desktop's background XML) is kept as rendered.
bool keptAsIs(const QString& path) {
    static const QStringList raster{
        QStringLiteral("bmp"),  QStringLiteral("dib"),  QStringLiteral("png"),
        QStringLiteral("jpg"),  QStringLiteral("jpeg"), QStringLiteral("gif"),
        QStringLiteral("webp"), QStringLiteral("tif"),  QStringLiteral("tiff"),
        QStringLiteral("ppm"),  QStringLiteral("pgm"),  QStringLiteral("pbm")};
    if (!raster.contains(QFileInfo(path).suffix().toLower())) {
        return false;
    }
    QString error;
    const int fd = files::openRegularFile(path, &error);
    QFile file;
    return fd >= 0 && file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle) &&
           !QImageReader::imageFormat(&file).isEmpty();
}

// Writes the kept copy of the original and fills in where it is.
QString keepOriginal(const QString& originalPath, const QImage& loaded, Record* rec) {
    QDir().mkpath(QFileInfo(outputPath()).path());
    if (keptAsIs(originalPath)) {
        rec->kept = keptPathFor(QFileInfo(originalPath).suffix());
        if (QFileInfo(originalPath).absoluteFilePath() != QFileInfo(rec->kept).absoluteFilePath()) {
            if (QString e = sys::copyFileAtomically(originalPath, rec->kept); !e.isEmpty()) {
                return e;
            }
        }
    } else {
        rec->kept = keptPathFor(QStringLiteral("bmp"));
        const tk::SaveResult saved = tk::SavePictureAsBitmap(loaded, rec->kept);
        if (!saved.ok) {
            return saved.error;
        }
    }
    const QFileInfo info(rec->kept);
    rec->keptSize = info.size();
    rec->keptModified = info.lastModified().toMSecsSinceEpoch();
    return {};
}

// Earlier kept copies with another suffix.
void dropOtherKeptCopies(const QString& kept) {
    const QFileInfo info(kept);
    const QDir dir(info.path());
    for (const QString& name :
         dir.entryList({QStringLiteral("original.*")}, QDir::Files | QDir::Hidden)) {
        if (name != info.fileName() && !name.contains(QLatin1Char('~'))) {
            QFile::remove(dir.filePath(name));
        }
    }
}

}  // namespace

FinishNote recordFinish(const QString& originalPath, const QImage& loadedOriginal,
                        const QString& backendName, const std::optional<PlacedCalendar>& calendar,
                        int16_t tile, const placement::PictureLayout& layout) {
    FinishNote note;
    if (originalPath.isEmpty()) {
        note.message = QStringLiteral("the wallpaper the placement started from is not known");
        return note;
    }
    RecordLock lock;
    if (!lock.acquire(10000)) {
        note.message = lock.error();
        return note;
    }
    const QDate today = QDate::currentDate();
    const int current = monthIndex(today.year(), today.month());
    std::optional<RecordedCalendar> placed;
    if (calendar) {
        placed = RecordedCalendar{*calendar, current,
                                  monthIndex(calendar->year, calendar->month) - current};
    }

    const ReadResult existing = readRecord();
    const QString recordedOutput =
        existing.state == ReadResult::State::Ok ? existing.record.output : QString();
    if (isOurOutput(originalPath, recordedOutput)) {
        if (existing.state != ReadResult::State::Ok) {
            note.message = existing.state == ReadResult::State::Missing
                               ? QStringLiteral(
                                     "the wallpaper was our own picture without a record "
                                     "of its original; it cannot be renewed")
                               : existing.error;
            return note;
        }
        const Record& rec = existing.record;
        QString e;
        if (placed) {
            e = appendCalendar(*placed, static_cast<int>(rec.calendars.size()) + 1);
        }
        if (e.isEmpty() && rec.restored) {
            e = setRecordValue(QStringLiteral("Restored"), QStringLiteral("0"));
        }
        if (e.isEmpty() && rec.desktop != backendName) {
            e = setRecordValue(QStringLiteral("Desktop"), backendName);
        }
        note.recorded = e.isEmpty();
        note.message = e;
        return note;
    }

    Record rec;
    rec.original = originalPath;
    rec.desktop = backendName;
    rec.tile = tile != 0 ? 1 : 0;
    rec.layout = layout;
    rec.output = outputPath();
    rec.composedFor = current;
    if (placed) {
        rec.calendars.push_back(*placed);
    }
    // The same original placed on again (after a restore, say): its intact
    // copy stands, and an 8K picture is not copied once more.
    const Record& before = existing.record;
    const QFileInfo source(originalPath);
    if (existing.state == ReadResult::State::Ok && before.original == originalPath &&
        keptAsIs(originalPath) && keptCopyProblem(before).isEmpty() &&
        source.size() == before.keptSize &&
        source.lastModified().toMSecsSinceEpoch() <= before.keptModified) {
        rec.kept = before.kept;
        rec.keptSize = before.keptSize;
        rec.keptModified = before.keptModified;
    } else if (QString e = keepOriginal(originalPath, loadedOriginal, &rec); !e.isEmpty()) {
        note.message = QStringLiteral("the original wallpaper could not be kept: %1").arg(e);
        return note;
    }
    if (QString e = writeRecord(rec); !e.isEmpty()) {
        note.message = e;
        return note;
    }
    dropOtherKeptCopies(rec.kept);
    note.recorded = true;
    return note;
}

}  // namespace composition
