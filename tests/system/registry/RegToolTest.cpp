// tessaryn-reg: its syntax, its output layout, and the built tool seeding
// what the program then reads.

#include <gtest/gtest.h>

#include <QProcess>

#include "HiveTestSupport.h"
#include "support/TempHome.h"
#include "system/desktop/NoneBackend.h"
#include "system/registry/RegTool.h"
#include "system/wallpaper/WallpaperStore.h"

using reg::runRegTool;
using namespace hive_test;

namespace {

QStringList split(const char* line) {
    return *line == '\0' ? QStringList() : QString::fromUtf8(line).split(u'|');
}

class RegToolTest : public ::testing::Test {
protected:
    // Runs one command that must succeed.
    QString ok(const char* line) {
        const reg::ToolResult r = runRegTool(split(line));
        EXPECT_EQ(r.exitCode, 0) << line << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.isEmpty());
        return r.out;
    }
    TempHome home_;
};

struct ErrorCase {
    const char* what;
    const char* args;     // separated by |
    const char* message;  // part of the one error line
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
    *os << c.what;
}

class RegToolError : public RegToolTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(RegToolError, FailsWithOneLineAndChangesNothing) {
    putRaw(kDesktop, "Wallpaper", reg::ValueType::Text, QByteArray("/old.bmp", 9));
    const QByteArray before = fileBytes(reg::hivePath());
    const reg::ToolResult r = runRegTool(split(GetParam().args));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    EXPECT_TRUE(r.err.startsWith(QLatin1String("ERROR: "))) << r.err.toStdString();
    EXPECT_EQ(r.err.count(u'\n'), 1);
    EXPECT_TRUE(r.err.endsWith(u'\n'));
    EXPECT_TRUE(r.err.contains(QLatin1String(GetParam().message))) << r.err.toStdString();
    EXPECT_EQ(stored(kDesktop, "Wallpaper")->data, QByteArray("/old.bmp", 9));
    EXPECT_EQ(fileBytes(reg::hivePath()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, RegToolError,
    ::testing::Values(
        ErrorCase{"OperationOnly", "query", "Invalid syntax"},
        ErrorCase{"LineBreakInKey", "query|HKXX\nSoftware", "\"HKXX\\nSoftware\""},
        ErrorCase{"ControlCharacters", "co\r\tpy\x1b|HKCU\\A", "\"co\\r\\tpy\\x1b\""},
        ErrorCase{"LineBreakInData", "add|HKCU\\A|/v|x|/t|REG_DWORD|/d|1\n2", "\"1\\n2\""},
        ErrorCase{"UnknownOperation", "copy|HKCU\\A", "Unknown operation"},
        ErrorCase{"UnknownRoot", "query|HKXX\\Control Panel", "Invalid key name"},
        ErrorCase{"Remote", "query|\\\\host\\HKCU\\Software", "Remote"},
        ErrorCase{"MissingKey", "query|HKCU\\Nothing", "unable to find"},
        ErrorCase{"MissingValue", "query|HKCU\\Control Panel\\desktop|/v|Nope", "unable to find"},
        ErrorCase{"TwoNames", "add|HKCU\\A|/v|x|/ve", "Invalid syntax"},
        ErrorCase{"UnknownOption", "add|HKCU\\A|/x", "Invalid syntax"},
        ErrorCase{"ExistingWithoutForce",
                  "add|HKCU\\Control Panel\\desktop|/v|WALLPAPER|/d|/new.bmp", "already exists"},
        ErrorCase{"UnsupportedType", "add|HKCU\\A|/v|x|/t|REG_QWORD|/d|1", "Unsupported type"},
        ErrorCase{"DwordNotANumber", "add|HKCU\\A|/v|x|/t|REG_DWORD|/d|abc", "REG_DWORD"},
        ErrorCase{"DwordNegative", "add|HKCU\\A|/v|x|/t|REG_DWORD|/d|-1", "REG_DWORD"},
        ErrorCase{"BinaryOddDigits", "add|HKCU\\A|/v|x|/t|REG_BINARY|/d|abc", "REG_BINARY"},
        ErrorCase{"DeleteValueWithoutForce", "delete|HKCU\\Control Panel\\desktop|/v|Wallpaper",
                  "/f"},
        ErrorCase{"DeleteKeyWithoutForce", "delete|HKCU\\Control Panel", "/f"},
        ErrorCase{"DeleteRoot", "delete|HKCU|/f", "root key"}),
    [](const auto& test) { return std::string(test.param.what); });

TEST_F(RegToolTest, QueryOfOneValuePrintsRegsLayout) {
    ok("add|HKCU\\Control Panel\\desktop|/v|Wallpaper|/d|/tmp/w.bmp|/f");
    EXPECT_EQ(ok("query|HKEY_CURRENT_USER\\control panel\\DESKTOP|/v|wallpaper"),
              QStringLiteral("\nHKEY_CURRENT_USER\\Control Panel\\desktop\n"
                             "    Wallpaper    REG_SZ    /tmp/w.bmp\n\n"));
}

TEST_F(RegToolTest, QueryOfAKeyListsValuesInOrderThenSubkeys) {
    ok("add|HKCU\\Software\\T|/v|Text|/d|héllo wörld");
    ok("add|HKCU\\Software\\T|/v|Count|/t|reg_dword|/d|0x1F");
    ok("add|HKCU\\Software\\T|/v|Ten|/t|REG_DWORD|/d|10");
    ok("add|HKCU\\Software\\T|/v|Bytes|/t|REG_BINARY|/d|00ff7A");
    ok("add|HKCU\\Software\\T|/ve|/d|default");
    ok("add|HKCU\\Software\\T\\zeta");
    ok("add|HKCU\\Software\\T\\Alpha");
    EXPECT_EQ(ok("query|HKCU\\Software\\T\\"),
              QStringLiteral("\nHKEY_CURRENT_USER\\Software\\T\n"
                             "    Text    REG_SZ    héllo wörld\n"
                             "    Count    REG_DWORD    0x1f\n"
                             "    Ten    REG_DWORD    0xa\n"
                             "    Bytes    REG_BINARY    00FF7A\n"
                             "    (Default)    REG_SZ    default\n"
                             "\n"
                             "HKEY_CURRENT_USER\\Software\\T\\Alpha\n"
                             "HKEY_CURRENT_USER\\Software\\T\\zeta\n"));
    EXPECT_EQ(stored("Software\\T", "Count")->data, QByteArray("\x1f\0\0\0", 4));
    EXPECT_EQ(stored("Software\\T", "Bytes")->data, QByteArray("\x00\xff\x7a", 3));
    EXPECT_EQ(stored("Software\\T", "Text")->data, QByteArray("h\xc3\xa9llo w\xc3\xb6rld", 14));
}

TEST_F(RegToolTest, AddWithForceReplacesAndDeleteWithForceRemoves) {
    ok("add|HKCU\\Control Panel\\desktop|/v|TileWallpaper|/d|1");
    ok("add|HKCU\\Control Panel\\desktop|/v|TILEWALLPAPER|/t|REG_DWORD|/d|0|/f");
    const auto v = stored(kDesktop, "TileWallpaper");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->name, QByteArray("TileWallpaper"));
    EXPECT_EQ(v->type, reg::ValueType::Number32);
    EXPECT_EQ(ok("delete|HKCU\\Control Panel\\desktop|/v|tilewallpaper|/f"),
              QStringLiteral("The operation completed successfully.\n"));
    EXPECT_FALSE(stored(kDesktop, "TileWallpaper"));
    ok("delete|HKCU\\Control Panel|/f");
    EXPECT_FALSE(keyExists("Control Panel"));
    EXPECT_TRUE(keyExists(""));
}

TEST_F(RegToolTest, TheBuiltToolSeedsWhatTheProgramReads) {
    auto run = [](const QStringList& args, QByteArray* out) {
        QProcess p;
        p.start(QStringLiteral(REG_TOOL), args);
        EXPECT_TRUE(p.waitForFinished(20000));
        *out = p.readAllStandardOutput();
        return p.exitCode();
    };
    QByteArray out;
    const QString key = QStringLiteral("HKCU\\Control Panel\\desktop");
    ASSERT_EQ(run({QStringLiteral("add"), key, QStringLiteral("/v"), QStringLiteral("Wallpaper"),
                   QStringLiteral("/d"), QStringLiteral("/tmp/w.bmp"), QStringLiteral("/f")},
                  &out),
              0);
    ASSERT_EQ(run({QStringLiteral("query"), key, QStringLiteral("/v"), QStringLiteral("Wallpaper")},
                  &out),
              0);
    EXPECT_EQ(out, QByteArray("\nHKEY_CURRENT_USER\\Control Panel\\desktop\n"
                              "    Wallpaper    REG_SZ    /tmp/w.bmp\n\n"));
    desktop::NoneBackend none;
    EXPECT_EQ(sys::WallpaperStore(none).load().picture, QStringLiteral("/tmp/w.bmp"));
    EXPECT_NE(run({QStringLiteral("query"), QStringLiteral("HKCU\\Nothing")}, &out), 0);
}

struct ToolRun {
    int exitCode = -1;
    QByteArray out, err;
};

ToolRun runBuiltTool(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(REG_TOOL), args);
    EXPECT_TRUE(p.waitForFinished(20000));
    return ToolRun{p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

TEST_F(RegToolTest, TheBuiltToolPrintsItsUsageWhenAskedAndFailsWithItWithoutArguments) {
    const ToolRun asked = runBuiltTool({QStringLiteral("/?")});
    EXPECT_EQ(asked.exitCode, 0);
    EXPECT_TRUE(asked.out.startsWith("Usage:\n  tessaryn-reg -h | --help | /?\n"));
    EXPECT_TRUE(asked.out.contains("tessaryn-reg delete KEY"));
    EXPECT_TRUE(asked.err.isEmpty());
    for (const char* ask : {"-h", "--help", "-?", "/HELP"}) {
        const ToolRun r = runBuiltTool({QString::fromLatin1(ask)});
        EXPECT_EQ(r.exitCode, 0) << ask;
        EXPECT_EQ(r.out, asked.out) << ask;
    }
    const ToolRun bare = runBuiltTool({});
    EXPECT_EQ(bare.exitCode, 1);
    EXPECT_TRUE(bare.out.isEmpty());
    EXPECT_EQ(bare.err, asked.out);
    // Help among other arguments is no request for help.
    const ToolRun mixed = runBuiltTool({QStringLiteral("query"), QStringLiteral("--help")});
    EXPECT_EQ(mixed.exitCode, 1);
    EXPECT_EQ(mixed.err.count('\n'), 1) << mixed.err.constData();
}

TEST_F(RegToolTest, TheBuiltToolKeepsAnErrorWithALineBreakOnOneLine) {
    const ToolRun r =
        runBuiltTool({QStringLiteral("query"), QStringLiteral("HKXX\nERROR: forged")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err,
              "ERROR: Invalid key name \"HKXX\\nERROR: forged\": it must start with HKCU, "
              "HKLM, HKCR, HKU or HKCC.\n");
}

}  // namespace
