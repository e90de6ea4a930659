// tessaryn-reg: the command-line window into the registry hive.

#include <QString>
#include <QStringList>
#include <cstdio>

#include "system/QtMessageFilter.h"
#include "system/registry/RegTool.h"
#include "toolkit/files/FileNames.h"

int main(int argc, char** argv) {
    sys::dropRuntimeDirWarning();
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        // The hive would hold U+FFFD in place of the bytes QString cannot take.
        const std::optional<QString> arg = files::decodeName(argv[i]);
        if (!arg) {
            const QByteArray line =
                QStringLiteral("ERROR: The argument \"%1\" is not valid UTF-8.\n")
                    .arg(files::shownBytes(argv[i]))
                    .toUtf8();
            std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
            return 1;
        }
        args.append(*arg);
    }
    const reg::ToolResult result = reg::runRegTool(args);
    const QByteArray out = result.out.toLocal8Bit();
    const QByteArray err = result.err.toLocal8Bit();
    std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout);
    std::fwrite(err.constData(), 1, static_cast<size_t>(err.size()), stderr);
    return result.exitCode;
}
