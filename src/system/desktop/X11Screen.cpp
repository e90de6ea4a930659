#include "system/desktop/X11Screen.h"
#include "toolkit/Translations.h"

#include <QRegularExpression>

namespace desktop {

X11Outputs randrOutputs(const SessionEnvironment& env, const ToolRunner& tools) {
    const QString xrandr = QStringLiteral("xrandr");
    if (!env.has(QStringLiteral("DISPLAY"))) {
        return {{}, tk::Text::tr("no X display (DISPLAY is not set)"), {}};
    }
    if (!tools.available(xrandr)) {
        return {{}, missingToolMessage(xrandr), {}};
    }
    const ToolResult r = tools.run(xrandr, {QStringLiteral("--listactivemonitors")});
    if ((r.out + r.err).contains(QStringLiteral("RandR extension missing"))) {
        return {{QStringLiteral("X11-1")}, {}, {}};
    }
    if (!r.ok()) {
        return {{}, r.failure, {}};
    }
    // "Monitors: 2", then " 0: +*HDMI-1 1920/527x1080/296+0+0  HDMI-1" (the
    // last field lists the monitor's outputs, comma-separated).
    X11Outputs outputs;
    static const QRegularExpression line(QStringLiteral("^\\s*\\d+:\\s.*\\s(\\S+)\\s*$"));
    static const QRegularExpression geometry(
        QStringLiteral("\\s(\\d+)/\\d+x(\\d+)/\\d+\\+(-?\\d+)\\+(-?\\d+)\\s"));
    for (const QString& text : r.out.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = line.match(text);
        if (m.hasMatch()) {
            outputs.names << m.captured(1).section(QLatin1Char(','), 0, 0);
            const QRegularExpressionMatch g = geometry.match(text);
            outputs.rects << (g.hasMatch() ? QRect(g.captured(3).toInt(), g.captured(4).toInt(),
                                                   g.captured(1).toInt(), g.captured(2).toInt())
                                           : QRect());
        }
    }
    if (outputs.names.isEmpty()) {
        outputs.failure = tk::Text::tr("xrandr lists no active monitor");
    }
    return outputs;
}

QSize x11ScreenSize(const SessionEnvironment& env, const ToolRunner& tools) {
    const QString xrandr = QStringLiteral("xrandr");
    if (!env.has(QStringLiteral("DISPLAY")) || !tools.available(xrandr)) {
        return {};
    }
    // "Screen 0: minimum 1 x 1, current 1280 x 800, maximum 8192 x 8192"
    const ToolResult r = tools.run(xrandr, {QStringLiteral("--current")});
    static const QRegularExpression current(QStringLiteral("current (\\d+) x (\\d+)"));
    const QRegularExpressionMatch m = current.match(r.out);
    return r.ok() && m.hasMatch() ? QSize(m.captured(1).toInt(), m.captured(2).toInt()) : QSize();
}

int currentX11Workspace(const SessionEnvironment& env, const ToolRunner& tools) {
    if (!env.has(QStringLiteral("DISPLAY")) || !tools.available(QStringLiteral("xprop"))) {
        return 0;
    }
    const ToolResult r = tools.run(
        QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CURRENT_DESKTOP")});
    // "_NET_CURRENT_DESKTOP(CARDINAL) = 1"
    return r.ok() ? r.out.section(QLatin1Char('='), 1).trimmed().toInt() : 0;
}

}  // namespace desktop
