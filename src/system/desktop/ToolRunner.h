#pragma once
// Runs the desktops' command-line tools: found on the session's PATH, given an
// argument list (never a shell line), bounded by a timeout, and described in
// one line when anything goes wrong.

#include <QString>
#include <QStringList>
#include <functional>

#include "system/desktop/SessionEnvironment.h"

namespace desktop {

struct ToolResult {
    bool finished = false;  // started, ended on its own, not crashed
    int exitCode = -1;
    QString out;
    QString err;
    QString failure;  // one line; empty when the tool exited with status 0

    bool ok() const { return failure.isEmpty(); }
};

class ToolRunner {
public:
    ToolRunner(const SessionEnvironment& env, int timeoutMs) : env_(env), timeoutMs_(timeoutMs) {}

    bool available(const QString& program) const { return !env_.findExecutable(program).isEmpty(); }

    ToolResult run(const QString& program, const QStringList& args) const;

private:
    SessionEnvironment env_;
    int timeoutMs_;
};

// "feh is not installed (not found on PATH)" and similar.
QString missingToolMessage(const QString& program);

// Asks `done` until it holds or `timeoutMs` has passed; true when it held.
// For desktops that store what they were told a moment after the tool returns.
bool waitUntil(int timeoutMs, const std::function<bool()>& done);

// The first non-empty line of `text`, trimmed.
QString firstLine(const QString& text);

}  // namespace desktop
