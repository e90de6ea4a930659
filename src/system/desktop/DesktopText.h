#pragma once
// The small text formats the desktops speak: GVariant strings (gsettings),
// shell words (~/.fehbg), key files (KDE, pcmanfm, nitrogen), JavaScript
// strings (plasmashell) and sway's command quoting.

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

#include "toolkit/files/RegularFiles.h"

namespace desktop {

// 'text' with \ and ' escaped, as gsettings set takes a string.
QString gvariantString(const QString& text);
// The string a GVariant text holds ('..' or ".." with escapes); nullopt when
// `text` is not a string.
std::optional<QString> parseGVariantString(const QString& text);

// POSIX shell words of one line (quotes and backslashes); nullopt when a quote
// is left open.
std::optional<QStringList> splitShellWords(const QString& line);

// A JavaScript string literal.
QString jsString(const QString& text);

// The path as one quoted argument of a sway command. Sway strips the outer
// quotes and then runs the path through wordexp(3), so everything a shell
// would treat specially is escaped as well.
QString swayQuotedPath(const QString& path);

// How much of a desktop's configuration file is read; only a regular file
// is read at all.
constexpr qint64 kMaxConfigBytes = qint64(16) << 20;

// A key file ("[group]" headers, "key=value" lines) in file order, its values
// unescaped the way GLib and KDE write them (\s \n \t \r \\) or the way Qt's
// QSettings does (quotes, \xNNNN for characters, C escapes), or taken as
// written by a program that prints them raw (pcmanfm).
enum class KeyFileDialect { GLib, Qt, Raw };
using KeyFileGroup = QPair<QString, QMap<QString, QString>>;
QList<KeyFileGroup> parseKeyFile(const QString& text,
                                 KeyFileDialect dialect = KeyFileDialect::GLib);
QList<KeyFileGroup> readKeyFile(const QString& path, KeyFileDialect dialect = KeyFileDialect::GLib);
// The value of `key` in the first group named `group`, if any.
std::optional<QString> keyFileValue(const QList<KeyFileGroup>& groups, const QString& group,
                                    const QString& key);

// The mode to apply: the tile mode when tiled; otherwise the current mode,
// or the centre mode where the current one tiles, hides the picture or is
// unknown.
struct ModeNames {
    QString tile;
    QString centre;
    QStringList tileLike;  // besides `tile`
    QStringList hiding;    // modes that show no picture
};
QString chooseMode(bool tiled, const QString& current, const ModeNames& names);
bool isTileMode(const QString& mode, const ModeNames& names);

}  // namespace desktop
