#include "cli/ComposeCommand.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>

#include "cli/Console.h"
#include "system/profile/AtomicWrite.h"
#include "toolkit/Translations.h"
#include "toolkit/Units.h"
#include "toolkit/picture/PictureFile.h"

namespace cli {

using tk::Text;

QString savePicture(const QImage& picture, const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix.isEmpty() || suffix == QStringLiteral("bmp") || suffix == QStringLiteral("dib")) {
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

int composeOne(const ComposeOptions& o) {
    tk::LoadedPicture base = tk::LoadPicture(o.base);
    if (!base.ok()) {
        complain(Text::tr("the picture %1 cannot be used: %2").arg(o.base, base.error));
        return 1;
    }
    composition::PlacedCalendar calendar = o.calendar;
    calendar.fontPixels = o.sizePoints * tk::pixelsPerUnitY(tk::Unit::Points);
    const QImage composed = composition::composeCalendars(std::move(base.image), {calendar});
    if (composed.isNull()) {
        complain(Text::tr("%1 was not written: %2").arg(o.out, composition::drawingFailure()));
        return 1;
    }
    if (const QString e = savePicture(composed, o.out); !e.isEmpty()) {
        complain(Text::tr("%1 was not written: %2").arg(o.out, e));
        return 1;
    }
    say(Text::tr("Wrote %1.").arg(o.out));
    return 0;
}

}  // namespace cli
