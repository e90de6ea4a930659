#include "system/registry/Registry.h"

#include <QSet>
#include <mutex>

#include "system/PrintableText.h"

namespace reg {

namespace {

// The most bytes a text read takes, its terminating zero byte included.
constexpr qsizetype kLongestRead = 1024;

}  // namespace

void reportHiveProblem(const Hive& hive, Status status) {
    if (!hiveFailed(status)) {
        return;
    }
    // Each broken hive is reported once per process.
    static std::mutex reportedMutex;
    static QSet<QString> reported;
    {
        const std::lock_guard lock(reportedMutex);
        if (reported.contains(hive.path())) {
            return;
        }
        reported.insert(hive.path());
    }
    qWarning("Tessaryn registry: %s. The file is left as it is, and changes are not saved.",
             qUtf8Printable(sys::printable(hive.errorText())));
}

std::optional<QString> readText(Root root, const QString& keyPath, const QString& name) {
    Hive hive(hivePath(), Hive::Mode::Read);
    Value value;
    Status r = hive.status();
    if (r == Status::Ok) {
        r = hive.queryValue(root, keyPath.toLocal8Bit(), name.toLocal8Bit(), &value);
    }
    reportHiveProblem(hive, r);
    if (r != Status::Ok) {
        return std::nullopt;
    }
    if (value.data.size() > kLongestRead) {
        return std::nullopt;
    }
    // The first zero byte ends the text; data that fills the read without
    // one is taken whole.
    const qsizetype end = value.data.indexOf('\0');
    return QString::fromLocal8Bit(end < 0 ? value.data : value.data.left(end));
}

bool writeText(Root root, const QString& keyPath, const QString& name, const QString& text) {
    Hive hive(hivePath(), Hive::Mode::Write);
    Status r = hive.status();
    if (r == Status::Ok) {
        r = hive.setValue(root, keyPath.toLocal8Bit(), name.toLocal8Bit(), ValueType::Text,
                          text.toLocal8Bit() + '\0', true);
    }
    reportHiveProblem(hive, r);
    return r == Status::Ok;
}

std::optional<bool> hasKey(Root root, const QString& keyPath) {
    Hive hive(hivePath(), Hive::Mode::Read);
    Status r = hive.status();
    if (r == Status::Ok) {
        r = hive.keyExists(root, keyPath.toLocal8Bit());
    }
    reportHiveProblem(hive, r);
    if (r == Status::Ok || r == Status::NotFound) {
        return r == Status::Ok;
    }
    return std::nullopt;
}

}  // namespace reg
