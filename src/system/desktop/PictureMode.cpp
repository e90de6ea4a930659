#include "system/desktop/PictureMode.h"

namespace desktop {

QString pictureModeName(PictureMode mode) {
    switch (mode) {
        case PictureMode::Centered:
            return QStringLiteral("centered");
        case PictureMode::Tiled:
        case PictureMode::TiledCentred:
        case PictureMode::TiledStretched:
            return QStringLiteral("tiled");
        case PictureMode::Zoom:
            return QStringLiteral("zoom");
        case PictureMode::Scaled:
            return QStringLiteral("scaled");
        case PictureMode::Stretched:
            return QStringLiteral("stretched");
        case PictureMode::Spanned:
        case PictureMode::SpannedStretched:
            return QStringLiteral("spanned");
    }
    return QStringLiteral("centered");
}

}  // namespace desktop
