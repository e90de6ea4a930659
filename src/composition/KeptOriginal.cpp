#include "composition/KeptOriginal.h"

#include <QFileInfo>

#include "toolkit/Translations.h"
#include "toolkit/picture/ContentHash.h"
#include "toolkit/picture/PictureFile.h"

namespace composition {

KeptOriginal loadKeptOriginal(Record* rec) {
    KeptOriginal result;
    if (!QFileInfo(rec->kept).isFile()) {
        // Kept again from the original, when that is still the same picture.
        tk::LoadedPicture original = tk::LoadPicture(rec->original);
        if (!original.ok() || rec->keptHash.isEmpty() || original.contentHash != rec->keptHash) {
            result.error = keptCopyMissing(*rec);
            return result;
        }
        const tk::HashedCopy copy = tk::copyFileHashed(rec->original, rec->kept);
        if (!copy.error.isEmpty() || copy.hash != rec->keptHash) {
            result.error =
                tk::Text::tr("the kept copy %1 could not be made again: %2")
                    .arg(rec->kept,
                         copy.error.isEmpty() ? tk::Text::tr("the original changed") : copy.error);
            return result;
        }
        result.image = std::move(original.image);
        return result;
    }
    if (rec->keptHash.isEmpty()) {
        // An old record: its size and time must still hold.
        if (const QString e = keptCopyProblem(*rec); !e.isEmpty()) {
            result.error = e;
            return result;
        }
    }
    tk::LoadedPicture kept = tk::LoadPicture(rec->kept);
    if (!kept.ok()) {
        result.error =
            tk::Text::tr("the kept original %1 cannot be loaded: %2").arg(rec->kept, kept.error);
        return result;
    }
    if (rec->keptHash.isEmpty()) {
        rec->keptHash = kept.contentHash;
        result.hashNew = true;
    } else if (kept.contentHash != rec->keptHash) {
        result.error = keptCopyChanged(*rec);
        return result;
    }
    result.image = std::move(kept.image);
    return result;
}

}  // namespace composition
