#pragma once
// Direct access to the test's hive, below the calls under test: seeding raw
// values and looking at what was stored.

#include <QByteArray>
#include <QFile>
#include <optional>

#include "system/registry/Hive.h"

namespace hive_test {

inline const QByteArray kDesktop = "Control Panel\\desktop";

inline void putRaw(const QByteArray& path, const QByteArray& name, reg::ValueType type,
                   const QByteArray& data) {
    reg::Hive hive(reg::hivePath(), reg::Hive::Mode::Write);
    if (hive.setValue(reg::Root::CurrentUser, path, name, type, data, true) != reg::Status::Ok) {
        qFatal("cannot seed the test hive: %s", qUtf8Printable(hive.errorText()));
    }
}

inline std::optional<reg::Value> stored(const QByteArray& path, const QByteArray& name) {
    reg::Hive hive(reg::hivePath(), reg::Hive::Mode::Read);
    reg::Value v;
    if (hive.queryValue(reg::Root::CurrentUser, path, name, &v) != reg::Status::Ok) {
        return std::nullopt;
    }
    return v;
}

inline bool keyExists(const QByteArray& path) {
    reg::Hive hive(reg::hivePath(), reg::Hive::Mode::Read);
    return hive.keyExists(reg::Root::CurrentUser, path) == reg::Status::Ok;
}

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace hive_test
