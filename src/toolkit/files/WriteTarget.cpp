#include "toolkit/files/WriteTarget.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "toolkit/Translations.h"
#include "toolkit/files/FileNames.h"
#include "toolkit/files/RegularFiles.h"

namespace files {

WriteTarget resolveWriteTarget(const QString& path) {
    WriteTarget t;
    if (path.isEmpty() || path.endsWith(QLatin1Char('/'))) {
        t.error = tk::Text::tr("it names no file");
        return t;
    }
    QString current = QFileInfo(path).absoluteFilePath();
    // As many links as the system itself follows in one name.
    for (int hops = 0; hops <= 40; ++hops) {
        const QByteArray native = QFile::encodeName(current);
        struct stat st {};
        if (::lstat(native.constData(), &st) != 0) {
            if (errno != ENOENT) {
                t.error = QString::fromLocal8Bit(std::strerror(errno));
                return t;
            }
            t.path = current;  // a new file, or a dangling link's file
            return t;
        }
        if (!S_ISLNK(st.st_mode)) {
            t.path = current;
            t.error = notRegular(st.st_mode);
            t.exists = t.error.isEmpty();
            return t;
        }
        QByteArray link(st.st_size > 0 ? st.st_size + 1 : 4096, '\0');
        const ssize_t n = ::readlink(native.constData(), link.data(), size_t(link.size()));
        if (n < 0 || n >= link.size()) {
            t.error = tk::Text::tr("its symbolic link cannot be read");
            return t;
        }
        link.truncate(n);
        const std::optional<QString> next = decodeName(link);
        if (!next) {
            t.error = tk::Text::tr("its symbolic link points to a name that is not valid UTF-8");
            return t;
        }
        current = QDir::cleanPath(QFileInfo(current).absoluteDir().absoluteFilePath(*next));
    }
    t.error = tk::Text::tr("its symbolic links go round in a loop");
    return t;
}

}  // namespace files
