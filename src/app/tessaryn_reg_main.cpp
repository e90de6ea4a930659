// tessaryn-reg: the command-line window into the registry hive.

#include <QString>
#include <QStringList>
#include <cstdio>

#include "system/QtMessageFilter.h"
#include "system/registry/RegTool.h"

int main(int argc, char** argv) {
    sys::dropRuntimeDirWarning();
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args.append(QString::fromLocal8Bit(argv[i]));
    }
    const reg::ToolResult result = reg::runRegTool(args);
    const QByteArray out = result.out.toLocal8Bit();
    const QByteArray err = result.err.toLocal8Bit();
    std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout);
    std::fwrite(err.constData(), 1, static_cast<size_t>(err.size()), stderr);
    return result.exitCode;
}
