#include "system/registry/RegTool.h"

#include <QtEndian>
#include <optional>

#include "system/PrintableText.h"
#include "system/registry/Hive.h"

namespace reg {

namespace {

const QString kSuccess = QStringLiteral("The operation completed successfully.\n");
const QString kNotFound =
    QStringLiteral("The system was unable to find the specified registry key or value.");

const char kUsage[] =
    "Usage:\n"
    "  tessaryn-reg -h | --help | /?\n"
    "  tessaryn-reg query  KEY [/v NAME | /ve]\n"
    "  tessaryn-reg add    KEY [/v NAME | /ve] [/t REG_SZ|REG_DWORD|REG_BINARY] [/d DATA] [/f]\n"
    "  tessaryn-reg delete KEY [/v NAME | /ve] [/f]\n"
    "\n"
    "  KEY   ROOT\\SubKey, ROOT one of HKCU, HKLM, HKCR, HKU, HKCC\n"
    "        (or HKEY_CURRENT_USER and the other long names)\n"
    "  /v    the value's name; /ve the key's unnamed (Default) value\n"
    "  /t    the value's type, REG_SZ unless given\n"
    "  /d    the data: text, a DWORD in decimal or 0x hexadecimal, or hex bytes\n"
    "  /f    replace an existing value (add) or delete (delete) without asking;\n"
    "        without it add never replaces and delete does nothing\n"
    "\n"
    "The hive is $XDG_CONFIG_HOME/tessaryn/registry.sqlite3.\n";

struct RootName {
    const char* shortName;
    const char* longName;
    Root root;
};

constexpr RootName kRoots[] = {
    {"HKCU", "HKEY_CURRENT_USER", Root::CurrentUser},
    {"HKLM", "HKEY_LOCAL_MACHINE", Root::LocalMachine},
    {"HKCR", "HKEY_CLASSES_ROOT", Root::ClassesRoot},
    {"HKU", "HKEY_USERS", Root::Users},
    {"HKCC", "HKEY_CURRENT_CONFIG", Root::CurrentConfig},
};

struct Command {
    QString operation;
    Root root = Root::CurrentUser;
    QByteArray path;
    std::optional<QByteArray> valueName;  // set by /v or /ve
    std::optional<QString> type;
    std::optional<QString> data;
    bool force = false;
};

// An error message always stays one line, whatever the arguments held.
ToolResult failure(const QString& message) {
    return ToolResult{1, QString(), QStringLiteral("ERROR: %1\n").arg(sys::printable(message))};
}

ToolResult invalidSyntax() {
    return failure(QStringLiteral("Invalid syntax. Type \"tessaryn-reg /?\" for usage."));
}

std::optional<QString> parseKey(const QString& text, Root* root, QByteArray* path) {
    if (text.startsWith(QLatin1String("\\\\"))) {
        return QStringLiteral("Remote registries are not supported.");
    }
    const qsizetype slash = text.indexOf(u'\\');
    const QString rootText = slash < 0 ? text : text.left(slash);
    const RootName* found = nullptr;
    for (const RootName& r : kRoots) {
        if (rootText.compare(QLatin1String(r.shortName), Qt::CaseInsensitive) == 0 ||
            rootText.compare(QLatin1String(r.longName), Qt::CaseInsensitive) == 0) {
            found = &r;
        }
    }
    if (found == nullptr) {
        return QStringLiteral(
                   "Invalid key name \"%1\": it must start with HKCU, HKLM, HKCR, HKU "
                   "or HKCC.")
            .arg(text);
    }
    *root = found->root;
    *path = slash < 0 ? QByteArray() : text.mid(slash + 1).toLocal8Bit();
    QList<QByteArray> names;
    if (!Hive::splitPath(*path, &names)) {
        return QStringLiteral("Invalid key name \"%1\".").arg(text);
    }
    *path = names.join('\\');
    return std::nullopt;
}

bool isOption(const QString& arg, const char* name) {
    return (arg.startsWith(u'/') || arg.startsWith(u'-')) &&
           arg.mid(1).compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

// -h, --help and /? (also -?, /help, -help).
bool asksForHelp(const QString& arg) {
    return arg == QLatin1String("-h") || arg == QLatin1String("--help") || isOption(arg, "?") ||
           isOption(arg, "help");
}

// Reads the options after KEY; nullopt on any syntax error.
std::optional<Command> parse(const QStringList& args) {
    Command c;
    c.operation = args[0].toLower();
    const bool isAdd = c.operation == QLatin1String("add");
    const bool isDelete = c.operation == QLatin1String("delete");
    for (qsizetype i = 2; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasNext = i + 1 < args.size();
        if (isOption(a, "v") && hasNext && !c.valueName) {
            c.valueName = args[++i].toLocal8Bit();
        } else if (isOption(a, "ve") && !c.valueName) {
            c.valueName = QByteArray();
        } else if (isAdd && isOption(a, "t") && hasNext && !c.type) {
            c.type = args[++i].toUpper();
        } else if (isAdd && isOption(a, "d") && hasNext && !c.data) {
            c.data = args[++i];
        } else if ((isAdd || isDelete) && isOption(a, "f") && !c.force) {
            c.force = true;
        } else {
            return std::nullopt;
        }
    }
    return c;
}

QString typeName(ValueType type) {
    switch (type) {
        case ValueType::None:
            return QStringLiteral("REG_NONE");
        case ValueType::Text:
            return QStringLiteral("REG_SZ");
        case ValueType::ExpandableText:
            return QStringLiteral("REG_EXPAND_SZ");
        case ValueType::Binary:
            return QStringLiteral("REG_BINARY");
        case ValueType::Number32:
            return QStringLiteral("REG_DWORD");
        case ValueType::TextList:
            return QStringLiteral("REG_MULTI_SZ");
        case ValueType::Number64:
            return QStringLiteral("REG_QWORD");
        default:
            return QStringLiteral("0x%1").arg(static_cast<uint32_t>(type), 0, 16);
    }
}

QString dataText(const Value& v) {
    const QByteArray& d = v.data;
    switch (v.type) {
        case ValueType::Text:
        case ValueType::ExpandableText: {
            const qsizetype end = d.indexOf('\0');
            return QString::fromLocal8Bit(end < 0 ? d : d.left(end));
        }
        case ValueType::TextList: {
            QByteArray items = d;
            while (items.endsWith('\0')) {
                items.chop(1);
            }
            return QString::fromLocal8Bit(items).replace(QChar(u'\0'), QLatin1String("\\0"));
        }
        case ValueType::Number32:
            if (d.size() == 4) {
                return QStringLiteral("0x%1").arg(qFromLittleEndian<quint32>(d.constData()), 0, 16);
            }
            break;
        case ValueType::Number64:
            if (d.size() == 8) {
                return QStringLiteral("0x%1").arg(qFromLittleEndian<quint64>(d.constData()), 0, 16);
            }
            break;
        default:
            break;
    }
    return QString::fromLatin1(d.toHex().toUpper());
}

QString valueLine(const Value& v) {
    const QString name =
        v.name.isEmpty() ? QStringLiteral("(Default)") : QString::fromLocal8Bit(v.name);
    // A stored line break or escape sequence is shown, not obeyed.
    return QStringLiteral("    %1    %2    %3\n")
        .arg(sys::printable(name), typeName(v.type), sys::printable(dataText(v)));
}

QString keyText(Root root, const QByteArray& storedPath) {
    const QString rootText = QString::fromLatin1(rootName(root));
    return storedPath.isEmpty()
               ? rootText
               : rootText + u'\\' + sys::printable(QString::fromLocal8Bit(storedPath));
}

ToolResult hiveFailure(const Hive& hive, Status code) {
    if (code == Status::NotFound || code == Status::KeyMissing) {
        return failure(kNotFound);
    }
    return failure(
        hive.errorText().isEmpty()
            ? QStringLiteral("The registry hive failed (%1).").arg(static_cast<int>(code))
            : hive.errorText());
}

ToolResult query(const Command& c) {
    Hive hive(hivePath(), Hive::Mode::Read);
    KeyListing key;
    Status r = hive.status();
    if (r == Status::Ok) {
        r = hive.listKey(c.root, c.path, &key);
    }
    if (r != Status::Ok) {
        return hiveFailure(hive, r);
    }
    const QString keyLine = keyText(c.root, key.path);
    ToolResult result;
    result.out = QStringLiteral("\n") + keyLine + u'\n';
    if (c.valueName) {
        // The hive's own lookup, so that names match exactly as for the program.
        Value value;
        r = hive.queryValue(c.root, c.path, *c.valueName, &value);
        if (r != Status::Ok) {
            return hiveFailure(hive, r);
        }
        result.out += valueLine(value) + u'\n';
        return result;
    }
    for (const Value& v : key.values) {
        result.out += valueLine(v);
    }
    result.out += u'\n';
    for (const QByteArray& sub : key.subkeys) {
        result.out += keyLine + u'\\' + sys::printable(QString::fromLocal8Bit(sub)) + u'\n';
    }
    return result;
}

// The bytes stored for /t TYPE /d DATA, or an error message.
std::optional<QString> encode(const QString& type, const QString& data, ValueType* code,
                              QByteArray* bytes) {
    if (type == QLatin1String("REG_SZ")) {
        *code = ValueType::Text;
        *bytes = data.toLocal8Bit() + '\0';
    } else if (type == QLatin1String("REG_DWORD")) {
        bool ok = false;
        const QString d = data.trimmed();
        const bool hex = d.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
        const qulonglong n =
            d.isEmpty() ? 0 : (hex ? d.mid(2).toULongLong(&ok, 16) : d.toULongLong(&ok, 10));
        if ((!ok && !d.isEmpty()) || d.startsWith(u'+') || n > 0xffffffffULL) {
            return QStringLiteral(
                       "Invalid REG_DWORD data \"%1\": give 0 to 4294967295 or 0x0 to "
                       "0xffffffff.")
                .arg(data);
        }
        *code = ValueType::Number32;
        bytes->resize(4);
        qToLittleEndian(static_cast<quint32>(n), bytes->data());
    } else if (type == QLatin1String("REG_BINARY")) {
        const QByteArray hex = data.toLatin1();
        bool ok = data.size() % 2 == 0;
        for (const char ch : hex) {
            ok = ok && QByteArray("0123456789abcdefABCDEF").contains(ch);
        }
        if (!ok) {
            return QStringLiteral(
                       "Invalid REG_BINARY data \"%1\": give pairs of hexadecimal "
                       "digits.")
                .arg(data);
        }
        *code = ValueType::Binary;
        *bytes = QByteArray::fromHex(hex);
    } else {
        return QStringLiteral("Unsupported type \"%1\": use REG_SZ, REG_DWORD or REG_BINARY.")
            .arg(type);
    }
    return std::nullopt;
}

ToolResult add(const Command& c) {
    // /t or /d without /v set the key's (Default) value, as reg does.
    std::optional<QByteArray> name = c.valueName;
    if (!name && (c.type || c.data)) {
        name = QByteArray();
    }
    ValueType type = ValueType::Text;
    QByteArray bytes;
    if (name) {
        if (const auto bad = encode(c.type.value_or(QStringLiteral("REG_SZ")),
                                    c.data.value_or(QString()), &type, &bytes)) {
            return failure(*bad);
        }
    }
    Hive hive(hivePath(), Hive::Mode::Write);
    Status r = hive.status();
    if (r == Status::Ok) {
        r = name ? hive.setValue(c.root, c.path, *name, type, bytes, true, c.force)
                 : hive.createKey(c.root, c.path);
    }
    if (r == Status::AlreadyExists) {
        return failure(QStringLiteral("The value %1 already exists; nothing was changed. Add /f "
                                      "to replace it.")
                           .arg(name->isEmpty() ? QStringLiteral("(Default)")
                                                : QString::fromLocal8Bit(*name)));
    }
    if (r != Status::Ok) {
        return hiveFailure(hive, r);
    }
    return ToolResult{0, kSuccess, QString()};
}

ToolResult remove(const Command& c) {
    if (!c.valueName && c.path.isEmpty()) {
        return failure(QStringLiteral("A root key cannot be deleted."));
    }
    if (!c.force) {
        return failure(
            QStringLiteral("Nothing was deleted: delete asks no question, add /f to "
                           "delete."));
    }
    Hive hive(hivePath(), Hive::Mode::Read);
    Status r = hive.status();
    if (r == Status::Ok) {
        r = c.valueName ? hive.deleteValue(c.root, c.path, *c.valueName)
                        : hive.deleteKey(c.root, c.path);
    }
    if (r != Status::Ok) {
        return hiveFailure(hive, r);
    }
    return ToolResult{0, kSuccess, QString()};
}

}  // namespace

ToolResult runRegTool(const QStringList& args) {
    if (args.size() == 1 && asksForHelp(args[0])) {
        return ToolResult{0, QString::fromLatin1(kUsage), QString()};
    }
    if (args.isEmpty()) {
        return ToolResult{1, QString(), QString::fromLatin1(kUsage)};
    }
    if (args.size() < 2) {
        return invalidSyntax();
    }
    const QString op = args[0].toLower();
    if (op != QLatin1String("query") && op != QLatin1String("add") &&
        op != QLatin1String("delete")) {
        return failure(
            QStringLiteral("Unknown operation \"%1\": use query, add or delete.").arg(args[0]));
    }
    auto command = parse(args);
    if (!command) {
        return invalidSyntax();
    }
    if (const auto bad = parseKey(args[1], &command->root, &command->path)) {
        return failure(*bad);
    }
    if (op == QLatin1String("query")) {
        return query(*command);
    }
    if (op == QLatin1String("add")) {
        return add(*command);
    }
    return remove(*command);
}

}  // namespace reg
