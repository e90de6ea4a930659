#pragma once
// tessaryn-reg: looks into and seeds the registry hive with the syntax of
// Windows' reg tool.
//
//   query  KEY [/v NAME | /ve]
//   add    KEY [/v NAME | /ve] [/t REG_SZ|REG_DWORD|REG_BINARY] [/d DATA] [/f]
//   delete KEY [/v NAME | /ve] [/f]
//
// KEY is ROOT\path, ROOT one of HKCU, HKLM, HKCR, HKU, HKCC or their long
// names. The tool never asks a question: add refuses to replace an existing
// value and delete refuses to delete anything unless /f is given.

#include <QString>
#include <QStringList>

namespace reg {

struct ToolResult {
    int exitCode = 0;  // 0 success, 1 error
    QString out;       // for standard output
    QString err;       // one line for standard error
};

// `args` are the command-line arguments after the program name.
ToolResult runRegTool(const QStringList& args);

}  // namespace reg
