#pragma once
// Loading the kept copy of the original wallpaper for composing, checked
// against the record by the hash of its bytes, taken as they are read.

#include <QImage>
#include <QString>

#include "composition/CompositionRecord.h"

namespace composition {

struct KeptOriginal {
    QImage image;
    QString error;         // why it cannot be used, with the way out; empty on success
    bool hashNew = false;  // the record had no hash (an old record): record.keptHash now
                           // holds it and should be written
};

// Loads record->kept. A copy whose bytes are the recorded ones is used
// whatever its file time. A missing copy is kept again from the original
// when the original's bytes are the recorded ones. An old record without a
// hash is checked by size and time once, and gets the hash.
KeptOriginal loadKeptOriginal(Record* record);

}  // namespace composition
