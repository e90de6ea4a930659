#include "system/registry/RegApi.h"

#include <QDir>
#include <QSet>
#include <cstring>
#include <map>
#include <mutex>

#include "system/PrintableText.h"

namespace reg {

namespace {

// What an open handle stands for. The key is found again by its path at
// every call, each call being its own transaction.
struct OpenKey {
    QString hive;       // the hive file it was opened in
    HKEY root = 0;      // the predefined root it lies below
    QByteArray path;    // below the root, names joined by backslashes
    bool live = false;  // the desktop's key, which may not be in the hive yet
};

constexpr HKEY kFirstPredefined = 0x80000000u;

// The table of open handles: one per process, as handles are process-wide
// numbers, shared by every thread under its mutex.
struct OpenHandles {
    std::mutex mutex;
    std::map<HKEY, OpenKey> keys;
    HKEY last = 0x100;  // the handle given out last
};

OpenHandles& processHandles() {
    static OpenHandles table;
    return table;
}

bool isPredefined(HKEY h) {
    return h >= kFirstPredefined && !rootName(h).isEmpty();
}

bool lookup(HKEY h, OpenKey* out) {
    if (isPredefined(h)) {
        *out = OpenKey{hivePath(), h, QByteArray(), false};
        return true;
    }
    OpenHandles& table = processHandles();
    const std::lock_guard lock(table.mutex);
    const auto it = table.keys.find(h);
    if (it == table.keys.end()) {
        return false;
    }
    *out = it->second;
    return true;
}

HKEY addHandle(const OpenKey& key) {
    OpenHandles& table = processHandles();
    const std::lock_guard lock(table.mutex);
    do {
        table.last = table.last + 1 >= kFirstPredefined ? 0x100 : table.last + 1;
    } while (table.keys.count(table.last) != 0);
    table.keys.emplace(table.last, key);
    return table.last;
}

bool asciiEqualNoCase(const QByteArray& a, const char* b) {
    const auto n = static_cast<qsizetype>(std::strlen(b));
    if (a.size() != n) {
        return false;
    }
    for (qsizetype i = 0; i < n; ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') {
            x = static_cast<char>(x - 'A' + 'a');
        }
        if (y >= 'A' && y <= 'Z') {
            y = static_cast<char>(y - 'A' + 'a');
        }
        if (x != y) {
            return false;
        }
    }
    return true;
}

// HKEY_CURRENT_USER\Control Panel\desktop or the key above it: a value
// written there creates them where the hive has never held them.
bool isLiveKey(HKEY root, const QList<QByteArray>& names) {
    if (root != HKEY_CURRENT_USER || names.isEmpty() || names.size() > 2) {
        return false;
    }
    return asciiEqualNoCase(names[0], "Control Panel") &&
           (names.size() == 1 || asciiEqualNoCase(names[1], "desktop"));
}

QByteArray joinPath(const QByteArray& base, const char* sub) {
    QByteArray s = sub != nullptr ? QByteArray(sub) : QByteArray();
    if (base.isEmpty()) {
        return s;
    }
    if (s.isEmpty()) {
        return base;
    }
    return base + '\\' + s;
}

// Opens or creates `sub` below `hKey`; shared by RegOpenKeyA and RegCreateKeyA.
int32_t openKey(HKEY hKey, const char* lpSubKey, HKEY* phkResult, bool create) {
    if (phkResult == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    *phkResult = 0;
    OpenKey base;
    if (!lookup(hKey, &base)) {
        return ERROR_INVALID_HANDLE;
    }
    OpenKey key = base;
    key.path = joinPath(base.path, lpSubKey);
    QList<QByteArray> names;
    if (!Hive::splitPath(key.path, &names)) {
        return ERROR_BAD_PATHNAME;
    }
    key.path = names.join('\\');
    Hive hive(key.hive, create ? Hive::Mode::Write : Hive::Mode::Read);
    int32_t r = hive.status();
    if (r == ERROR_SUCCESS) {
        r = create ? hive.createKey(key.root, key.path) : hive.keyExists(key.root, key.path);
    }
    if (r != ERROR_SUCCESS) {
        reportHiveProblem(hive, r);
        return r;
    }
    key.live = isLiveKey(key.root, names);
    // Like Windows, opening a root itself gives back the predefined handle.
    *phkResult = isPredefined(hKey) && names.isEmpty() ? hKey : addHandle(key);
    return ERROR_SUCCESS;
}

}  // namespace

void reportHiveProblem(const Hive& hive, int32_t code) {
    if (code != ERROR_BADDB && code != ERROR_REGISTRY_IO_FAILED) {
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

int32_t RegOpenKeyA(HKEY hKey, const char* lpSubKey, HKEY* phkResult) {
    return openKey(hKey, lpSubKey, phkResult, false);
}

int32_t RegCreateKeyA(HKEY hKey, const char* lpSubKey, HKEY* phkResult) {
    return openKey(hKey, lpSubKey, phkResult, true);
}

int32_t RegQueryValueExA(HKEY hKey, const char* lpValueName, uint32_t* lpReserved, uint32_t* lpType,
                         uint8_t* lpData, uint32_t* lpcbData) {
    if (lpReserved != nullptr || (lpData != nullptr && lpcbData == nullptr)) {
        return ERROR_INVALID_PARAMETER;
    }
    OpenKey key;
    if (!lookup(hKey, &key)) {
        return ERROR_INVALID_HANDLE;
    }
    const QByteArray name = lpValueName != nullptr ? QByteArray(lpValueName) : QByteArray();
    Value value;
    Hive hive(key.hive, Hive::Mode::Read);
    int32_t r = hive.status();
    if (r == ERROR_SUCCESS) {
        r = hive.queryValue(key.root, key.path, name, &value);
    }
    if (r != ERROR_SUCCESS) {
        reportHiveProblem(hive, r);
        return r;
    }
    const auto size = static_cast<uint32_t>(value.data.size());
    if (lpType != nullptr) {
        *lpType = value.type;
    }
    if (lpData != nullptr) {
        if (*lpcbData < size) {
            *lpcbData = size;
            return ERROR_MORE_DATA;
        }
        std::memcpy(lpData, value.data.constData(), size);
    }
    if (lpcbData != nullptr) {
        *lpcbData = size;
    }
    return ERROR_SUCCESS;
}

int32_t RegSetValueExA(HKEY hKey, const char* lpValueName, uint32_t /*Reserved*/, uint32_t dwType,
                       const uint8_t* lpData, uint32_t cbData) {
    if (lpData == nullptr && cbData != 0) {
        return ERROR_INVALID_PARAMETER;
    }
    OpenKey key;
    if (!lookup(hKey, &key)) {
        return ERROR_INVALID_HANDLE;
    }
    const QByteArray name = lpValueName != nullptr ? QByteArray(lpValueName) : QByteArray();
    const QByteArray data = cbData != 0 ? QByteArray(reinterpret_cast<const char*>(lpData),
                                                     static_cast<qsizetype>(cbData))
                                        : QByteArray();
    Hive hive(key.hive, Hive::Mode::Write);
    int32_t r = hive.status();
    if (r == ERROR_SUCCESS) {
        r = hive.setValue(key.root, key.path, name, dwType, data, key.live);
    }
    reportHiveProblem(hive, r);
    return r;
}

int32_t RegCloseKey(HKEY hKey) {
    if (isPredefined(hKey)) {
        return ERROR_SUCCESS;
    }
    OpenHandles& table = processHandles();
    const std::lock_guard lock(table.mutex);
    return table.keys.erase(hKey) != 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

int openKeyCount() {
    OpenHandles& table = processHandles();
    const std::lock_guard lock(table.mutex);
    return static_cast<int>(table.keys.size());
}

int32_t storedValue(HKEY root, const QByteArray& subPath, const QByteArray& name, Value* out) {
    Hive hive(hivePath(), Hive::Mode::Read);
    int32_t r = hive.status();
    if (r == ERROR_SUCCESS) {
        r = hive.queryValue(root, subPath, name, out);
    }
    reportHiveProblem(hive, r);
    return r;
}

}  // namespace reg
