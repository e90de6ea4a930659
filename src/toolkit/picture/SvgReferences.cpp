#include "toolkit/picture/SvgReferences.h"

#include <sys/stat.h>
#include <zlib.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QUrl>
#include <QXmlStreamReader>

#include "toolkit/Translations.h"
#include "toolkit/files/RegularFiles.h"

namespace tk {

namespace {

// As large as a drawing, compressed or not, is read.
constexpr qint64 kMaxDrawingBytes = qint64(64) << 20;
// Drawings that name drawings: deeper than this is refused.
constexpr int kMaxNesting = 8;

// The text of a gzip-compressed drawing; empty when it is damaged or larger
// than the limit.
QByteArray gunzip(const QByteArray& packed) {
    z_stream z{};
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK) {
        return {};
    }
    QByteArray out;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    z.avail_in = uInt(packed.size());
    int rc = Z_OK;
    while (rc == Z_OK && out.size() < kMaxDrawingBytes) {
        const qsizetype done = out.size();
        out.resize(done + (1 << 16));
        z.next_out = reinterpret_cast<Bytef*>(out.data() + done);
        z.avail_out = 1 << 16;
        rc = inflate(&z, Z_NO_FLUSH);
        out.resize(out.size() - qsizetype(z.avail_out));
    }
    inflateEnd(&z);
    return rc == Z_STREAM_END ? out : QByteArray();
}

bool isDrawing(const QString& path) {
    QString error;
    const int fd = files::openRegularFile(path, &error);
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        return false;
    }
    const QByteArray format = QImageReader::imageFormat(&file);
    return format == "svg" || format == "svgz";
}

QString problemIn(const QString& path, int depth) {
    files::FileBytes read = files::readRegularFile(path, kMaxDrawingBytes);
    if (!read.ok()) {
        return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), read.error);
    }
    QByteArray text = read.bytes;
    if (text.startsWith("\x1f\x8b")) {
        text = gunzip(text);
    }
    const QDir folder = QFileInfo(path).absoluteDir();
    QXmlStreamReader xml(text);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement ||
            xml.name() != QLatin1String("image")) {
            continue;
        }
        for (const QXmlStreamAttribute& a : xml.attributes()) {
            const QString name = a.value().toString().trimmed();
            if (a.name() != QLatin1String("href") || name.isEmpty() ||
                name.startsWith(QLatin1String("data"))) {
                continue;
            }
            // The reader takes a relative name from the drawing's folder
            // and any other as a file name as it stands.
            const QString file = QUrl(name).isRelative() ? folder.absoluteFilePath(name)
                                                         : QFileInfo(name).absoluteFilePath();
            struct stat st {};
            if (::stat(QFile::encodeName(file).constData(), &st) != 0) {
                continue;  // the reader draws nothing there
            }
            const QString shown = QDir::toNativeSeparators(file);
            if (QString why = files::notRegular(st.st_mode); !why.isEmpty()) {
                return tk::Text::tr("it draws %1, and %2").arg(shown, why);
            }
            if (isDrawing(file)) {
                if (depth >= kMaxNesting) {
                    return tk::Text::tr("it draws drawings nested more than %1 deep")
                        .arg(kMaxNesting);
                }
                if (QString why = problemIn(file, depth + 1); !why.isEmpty()) {
                    return why;
                }
            }
        }
    }
    return {};
}

}  // namespace

QString svgReferenceProblem(const QString& path) {
    return problemIn(path, 0);
}

}  // namespace tk
