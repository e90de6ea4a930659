#pragma once
// Desktops that keep their background in GSettings (GNOME, Cinnamon, MATE),
// read and written through the gsettings tool. The subclasses only name
// their schema and keys.

#include <QMap>

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
    // The window manager draws a tiled picture over a solid colour
    // ("color-shading-type" "solid") as one copy stretched over each monitor.
    bool stretchesTilesOverSolid = false;
};

class GSettingsDesktop : public DesktopBackend {
public:
    GSettingsDesktop(DesktopContext context, GSettingsLayout layout);

    QString name() const override { return layout_.name; }
    QString missingFromSession() const override;
    CurrentWallpaper current() override;
    ApplyResult apply(const QString& path, bool tiled) override;
    PlacesResult restorePlaces(const PlacesRestore& request) override;

private:
    std::optional<QString> get(const QString& schema, const QString& key,
                               QString* failure = nullptr) const;
    // Every key of the background schema with its value, from one run;
    // empty when gsettings cannot tell them.
    QMap<QString, QString> background() const;
    bool prefersDark() const;

    DesktopContext context_;
    GSettingsLayout layout_;
    ToolRunner tools_;
};

}  // namespace desktop
