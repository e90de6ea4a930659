#include "composition/FinishRecord.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>

#include "composition/CompositionRecord.h"
#include "composition/KeptOriginal.h"
#include "composition/RecordLock.h"
#include "system/desktop/DesktopBackend.h"
#include "toolkit/Translations.h"
#include "toolkit/files/RegularFiles.h"
#include "toolkit/picture/ContentHash.h"
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

// The kept copy of a new original, with its hash: the file's own bytes, or
// for a drawing or a description the picture as the placement rendered it.
QString keepHashedOriginal(const QString& originalPath, const QImage& loaded, Record* rec) {
    QDir().mkpath(QFileInfo(outputPath()).path());
    if (keptAsIs(originalPath)) {
        rec->kept = keptPathFor(QFileInfo(originalPath).suffix());
        const tk::HashedCopy copy = tk::copyFileHashed(originalPath, rec->kept);
        if (!copy.error.isEmpty()) {
            return copy.error;
        }
        rec->keptHash = copy.hash;
    } else {
        rec->kept = keptPathFor(QStringLiteral("bmp"));
        const tk::SaveResult saved = tk::SavePictureAsBitmap(loaded, rec->kept, true);
        if (!saved.ok) {
            return saved.error;
        }
        rec->keptHash = saved.contentHash;
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

FinishPlan planFinish(const QString& originalPath, const QImage& loadedOriginal,
                      const QByteArray& loadedHash, desktop::DesktopBackend& desktop,
                      const std::optional<PlacedCalendar>& calendar, bool tiled,
                      const PictureLayout& layout, const std::function<void()>& letGoOfLoaded) {
    FinishPlan plan;
    plan.base = loadedOriginal;
    plan.layout = layout;
    if (calendar) {
        plan.calendars.push_back(*calendar);
    }
    if (originalPath.isEmpty()) {
        plan.message = tk::Text::tr("the wallpaper the placement started from is not known");
        return plan;
    }
    const QDate today = QDate::currentDate();
    const int current = monthIndex(today.year(), today.month());
    std::optional<RecordedCalendar> placed;
    if (calendar) {
        placed = RecordedCalendar{*calendar, current,
                                  monthIndex(calendar->year, calendar->month) - current, today};
    }
    const ReadResult existing = readRecord();
    if (existing.state == ReadResult::State::Ok) {
        plan.previous = existing.record;
    }
    Record rec;
    if (isOurOutput(originalPath, plan.previous ? plan.previous->output : QString())) {
        // Another calendar on our own picture: every recorded calendar is
        // drawn afresh on the kept original, not on the picture as loaded.
        if (!plan.previous) {
            plan.message = existing.state == ReadResult::State::Missing
                               ? tk::Text::tr(
                                     "the wallpaper was our own picture without a record "
                                     "of its original; it cannot be renewed")
                               : existing.error;
            return plan;
        }
        rec = *plan.previous;
        // Not held beside the original while that is loaded: both may be 8K.
        plan.base = QImage();
        if (letGoOfLoaded) {
            letGoOfLoaded();
        }
        KeptOriginal kept = loadKeptOriginal(&rec);
        if (!kept.error.isEmpty()) {
            plan.base = loadedOriginal;
            plan.message = kept.error;
            return plan;
        }
        plan.base = std::move(kept.image);
        plan.baseIsLoaded = false;
        // Our picture is the record's layout of the original: a calendar on
        // it lies in the tiled original where that picture starts (on a
        // stretched tile, in the picture's own pixels).
        plan.layout = rec.layout;
        plan.onOurOutput = true;
        if (placed) {
            placed->look.at += QPointF(rec.layout.calendarOrigin());
        }
    } else {
        rec.original = originalPath;
        rec.places = desktop.current().places;
        rec.tile = tiled ? 1 : 0;
        rec.layout = layout;
        rec.output = outputPath();
        // The same picture placed on again (after a restore, say): its intact
        // copy stands, and an 8K picture is not copied once more.
        const Record* before = plan.previous ? &*plan.previous : nullptr;
        if (before != nullptr && before->original == originalPath && keptAsIs(originalPath) &&
            !loadedHash.isEmpty() && loadedHash == before->keptHash &&
            keptCopyProblem(*before).isEmpty()) {
            rec.kept = before->kept;
            rec.keptHash = before->keptHash;
            rec.keptSize = before->keptSize;
            rec.keptModified = before->keptModified;
        } else if (QString e = keepHashedOriginal(originalPath, loadedOriginal, &rec);
                   !e.isEmpty()) {
            plan.message = tk::Text::tr("the original wallpaper could not be kept: %1").arg(e);
            return plan;
        }
        if (keptAsIs(originalPath) && rec.keptHash != loadedHash) {
            // The file changed since the placement loaded it: what is kept is drawn on.
            tk::LoadedPicture kept = tk::LoadPicture(rec.kept);
            if (!kept.ok() || kept.contentHash != rec.keptHash) {
                plan.message = tk::Text::tr("the original wallpaper changed while it was kept");
                return plan;
            }
            plan.base = std::move(kept.image);
            plan.baseIsLoaded = false;
        }
    }
    rec.desktop = desktop.name();
    rec.locale = QLocale().name();  // this finish draws every month title in it
    rec.restored = false;
    rec.composedFor = current;
    if (placed) {
        rec.calendars.push_back(*placed);
    }
    plan.calendars.clear();
    for (const RecordedCalendar& c : rec.calendars) {
        plan.calendars.push_back(c.forMonth(current));
    }
    plan.record = std::move(rec);
    plan.recorded = true;
    return plan;
}

QString beginFinish(const FinishPlan& plan) {
    Record pending = plan.record;
    pending.composedFor.reset();
    return writeRecord(pending);
}

QString undoFinish(const FinishPlan& plan) {
    return plan.previous ? writeRecord(*plan.previous) : removeRecord();
}

QString completeFinish(const FinishPlan& plan) {
    const QString e =
        setRecordValue(QStringLiteral("ComposedFor"), monthText(*plan.record.composedFor));
    if (e.isEmpty()) {
        dropOtherKeptCopies(plan.record.kept);
    }
    return e;
}

}  // namespace composition
