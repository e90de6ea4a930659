#pragma once
// Desktops that keep their background in GSettings (GNOME, Cinnamon, MATE),
// read and written through the gsettings tool. The subclasses only name
// their schema and keys.

#include "system/desktop/DesktopBackend.h"
#include "system/desktop/SessionEnvironment.h"
#include "system/desktop/ToolRunner.h"

namespace desktop {

struct GSettingsLayout {
    QString name;        // backend name
    QString schema;      // where the background lives
    QString pictureKey;  // the picture, as a URI or a path
    bool pictureIsUri = true;
    QString darkPictureKey;     // picture shown with a dark colour scheme, if any
    QString colorSchemeSchema;  // schema with "color-scheme", if any
};

class GSettingsDesktop : public DesktopBackend {
public:
    GSettingsDesktop(DesktopContext context, GSettingsLayout layout);

    QString name() const override { return layout_.name; }
    std::optional<QString> liveWallpaper() override;
    std::optional<bool> liveTiled() override;
    std::optional<PictureMode> livePictureMode() override;
    std::optional<QString> liveBackgroundColor() override;
    ApplyResult apply(const QString& path, bool tiled) override;
    QString savePlaces() override;
    PlacesResult restorePlaces(const PlacesRestore& request) override;

private:
    std::optional<QString> get(const QString& schema, const QString& key,
                               QString* failure = nullptr) const;
    bool prefersDark() const;

    DesktopContext context_;
    GSettingsLayout layout_;
    ToolRunner tools_;
};

}  // namespace desktop
