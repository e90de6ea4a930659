#pragma once
// A desktop backend for tests: answers with preset live settings and records
// every apply together with what the hive held at that moment.

#include <QByteArray>
#include <vector>

#include "system/desktop/DesktopBackend.h"
#include "system/registry/Hive.h"

struct RecordedApply {
    QString path;
    bool tiled = false;
    // The hive's "Control Panel\desktop" values when the desktop was asked.
    std::vector<reg::Value> hive;
};

struct DesktopScript {
    desktop::CurrentWallpaper shows;
    desktop::ApplyResult result{true, {}};
    std::vector<RecordedApply> applies;
};

class RecordingDesktop : public desktop::DesktopBackend {
public:
    explicit RecordingDesktop(DesktopScript* script) : script_(script) {}

    QString name() const override { return QStringLiteral("recording"); }
    desktop::CurrentWallpaper current() override { return script_->shows; }
    desktop::ApplyResult apply(const QString& path, bool tiled) override {
        RecordedApply a{path, tiled, {}};
        reg::Hive hive(reg::hivePath(), reg::Hive::Mode::Read);
        reg::KeyListing listing;
        if (hive.listKey(reg::Root::CurrentUser, "Control Panel\\desktop", &listing) ==
            reg::Status::Ok) {
            a.hive = listing.values;
        }
        script_->applies.push_back(a);
        return script_->result;
    }

private:
    DesktopScript* script_;
};
