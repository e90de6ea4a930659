#pragma once
// KDE Plasma: plasmashell's scripting interface over D-Bus sets and reads the
// picture of every desktop containment; with plasmashell away, the live
// setting is read from its appletsrc file.

#include "system/desktop/DesktopBackend.h"
#include "system/desktop/SessionEnvironment.h"

namespace desktop {

class SessionBus;

class KdeBackend : public DesktopBackend {
public:
    explicit KdeBackend(DesktopContext context) : context_(std::move(context)) {}

    QString name() const override { return QStringLiteral("kde"); }
    std::optional<QString> liveWallpaper() override;
    std::optional<bool> liveTiled() override;
    ApplyResult apply(const QString& path, bool tiled) override;

    struct Shown {
        QString picture;  // plain path as plasmashell has it (may be a shown copy)
        QString fillMode;
    };
    // One entry per desktop containment that uses the image plugin, the one on
    // the first screen first.
    static QList<Shown> parseScriptOutput(const QString& output);

private:
    std::optional<QList<Shown>> askPlasma(const SessionBus& bus, QString* failure) const;
    std::optional<Shown> fromAppletsrc() const;
    std::optional<Shown> live() const;

    DesktopContext context_;
};

}  // namespace desktop
