#include "system/desktop/ToolRunner.h"
#include "toolkit/Translations.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

namespace desktop {

QString missingToolMessage(const QString& program) {
    return tk::Text::tr("%1 is not installed (not found on PATH)").arg(program);
}

bool waitUntil(int timeoutMs, const std::function<bool()>& done) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(25);
    }
    return true;
}

QString firstLine(const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (!line.trimmed().isEmpty()) {
            return line.trimmed();
        }
    }
    return {};
}

ToolResult ToolRunner::run(const QString& program, const QStringList& args) const {
    ToolResult result;
    const QString path = env_.findExecutable(program);
    if (path.isEmpty()) {
        result.failure = missingToolMessage(program);
        return result;
    }
    QProcess process;
    process.setProcessEnvironment(env_.processEnvironment());
    process.setProgram(path);
    process.setArguments(args);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(timeoutMs_)) {
        result.failure =
            tk::Text::tr("%1 could not be started: %2").arg(program, process.errorString());
        return result;
    }
    if (!process.waitForFinished(timeoutMs_)) {
        process.kill();
        process.waitForFinished(1000);
        result.failure =
            tk::Text::tr("%1 did not answer within %2 s").arg(program).arg(timeoutMs_ / 1000.0);
        return result;
    }
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    if (process.exitStatus() != QProcess::NormalExit) {
        result.failure = tk::Text::tr("%1 crashed").arg(program);
        return result;
    }
    result.finished = true;
    result.exitCode = process.exitCode();
    if (result.exitCode != 0) {
        QString why = firstLine(result.err);
        if (why.isEmpty()) {
            why = firstLine(result.out);
        }
        result.failure =
            tk::Text::tr("%1 failed with exit status %2").arg(program).arg(result.exitCode);
        if (!why.isEmpty()) {
            result.failure += QStringLiteral(": ") + why;
        }
    }
    return result;
}

}  // namespace desktop
