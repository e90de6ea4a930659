#include "toolkit/picture/BackgroundXml.h"

#include <QDir>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "toolkit/Translations.h"

namespace tk {

namespace {

struct Variant {
    QSize size;  // invalid: the picture for every size
    QString file;
};

struct Slide {
    double seconds = 0;
    bool transition = false;
    std::vector<Variant> variants;  // a still slide
    QString from;                   // a transition
    QString to;
};

struct Description {
    QDateTime start;
    std::vector<Slide> slides;
};

QString readText(QXmlStreamReader& xml) {
    return xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
}

QDateTime readStart(QXmlStreamReader& xml) {
    int parts[6] = {1970, 1, 1, 0, 0, 0};
    const char* names[6] = {"year", "month", "day", "hour", "minute", "second"};
    while (xml.readNextStartElement()) {
        bool known = false;
        for (int i = 0; i < 6; ++i) {
            if (xml.name() == QLatin1String(names[i])) {
                parts[i] = readText(xml).toInt();
                known = true;
            }
        }
        if (!known) {
            xml.skipCurrentElement();
        }
    }
    return QDateTime(QDate(parts[0], parts[1], parts[2]), QTime(parts[3], parts[4], parts[5]));
}

// <file>path</file> or <file><size width=".." height="..">path</size>...</file>
void readFile(QXmlStreamReader& xml, std::vector<Variant>& out) {
    QString plain;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType t = xml.readNext();
        if (t == QXmlStreamReader::Characters) {
            plain += xml.text();
        } else if (t == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("size")) {
                const QSize size(xml.attributes().value(QLatin1String("width")).toInt(),
                                 xml.attributes().value(QLatin1String("height")).toInt());
                out.push_back({size, readText(xml)});
            } else {
                xml.skipCurrentElement();
            }
        } else if (t == QXmlStreamReader::EndElement) {
            break;
        }
    }
    plain = plain.trimmed();
    if (!plain.isEmpty()) {
        out.push_back({QSize(), plain});
    }
}

Slide readSlide(QXmlStreamReader& xml, bool transition) {
    Slide s;
    s.transition = transition;
    while (xml.readNextStartElement()) {
        const auto name = xml.name();
        if (name == QLatin1String("duration")) {
            s.seconds = readText(xml).toDouble();
        } else if (name == QLatin1String("file")) {
            readFile(xml, s.variants);
        } else if (name == QLatin1String("from")) {
            s.from = readText(xml);
        } else if (name == QLatin1String("to")) {
            s.to = readText(xml);
        } else {
            xml.skipCurrentElement();
        }
    }
    return s;
}

// What GNOME picks among sizes (gnome-bg-slide-show.c, find_best_size):
// first only those at least as large as the monitor, then all of them; the
// closest aspect ratio, of equal ones the closest width. GNOME keeps the
// sizes in the reverse of their order in the file, so on a full tie the last
// one written wins. A picture without a size counts as -1 x -1.
QString bestVariant(const std::vector<Variant>& variants, QSize monitor) {
    const double aspect = monitor.width() / double(monitor.height());
    const Variant* best = nullptr;
    double distance = 10000.0;
    for (int pass = 0; pass < 2 && best == nullptr; ++pass) {
        for (auto v = variants.crbegin(); v != variants.crend(); ++v) {
            const int w = v->size.isValid() ? v->size.width() : -1;
            const int h = v->size.isValid() ? v->size.height() : -1;
            if (pass == 0 && (w < monitor.width() || h < monitor.height())) {
                continue;
            }
            const double d = std::fabs(aspect - w / double(h));
            if (d < distance) {
                distance = d;
                best = &*v;
            } else if (d == distance && best != nullptr &&
                       std::abs(w - monitor.width()) <
                           std::abs((best->size.isValid() ? best->size.width() : -1) -
                                    monitor.width())) {
                best = &*v;
            }
        }
    }
    return best != nullptr ? best->file : QString();
}

}  // namespace

bool looksLikeBackgroundXml(const QByteArray& head) {
    const QByteArray start = head.trimmed();
    if (start.startsWith("<background")) {
        return true;
    }
    if (!start.startsWith("<?xml") && !start.startsWith("<!--")) {
        return false;
    }
    // The first element decides: an SVG drawing starts with XML as well.
    QXmlStreamReader xml(head);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            return xml.name() == QLatin1String("background");
        }
    }
    return false;
}

BackgroundChoice chooseBackground(const QByteArray& bytes, const QString& xmlPath, QSize monitor,
                                  const QDateTime& now) {
    const QString shownName = QDir::toNativeSeparators(xmlPath);
    Description d;
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("background")) {
        return {{}, tk::Text::tr("%1 is no background description").arg(shownName)};
    }
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("starttime")) {
            d.start = readStart(xml);
        } else if (xml.name() == QLatin1String("static")) {
            d.slides.push_back(readSlide(xml, false));
        } else if (xml.name() == QLatin1String("transition")) {
            d.slides.push_back(readSlide(xml, true));
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        return {{},
                tk::Text::tr("the background description %1 cannot be read (line %2: %3)")
                    .arg(shownName)
                    .arg(xml.lineNumber())
                    .arg(xml.errorString())};
    }
    if (d.slides.empty()) {
        return {{}, tk::Text::tr("the background description %1 names no picture").arg(shownName)};
    }

    // The slide under way: the time since the start, around the loop.
    const Slide* slide = &d.slides.front();
    double into = 0;
    double total = 0;
    for (const Slide& s : d.slides) {
        total += std::max(0.0, s.seconds);
    }
    if (d.start.isValid() && total > 0 && d.slides.size() > 1) {
        const double elapsed = double(d.start.msecsTo(now)) / 1000.0;
        double at = elapsed < 0 ? 0 : std::fmod(elapsed, total);
        for (const Slide& s : d.slides) {
            const double length = std::max(0.0, s.seconds);
            if (at < length) {
                slide = &s;
                into = at / length;
                break;
            }
            at -= length;
        }
    }

    QString file;
    if (slide->transition) {
        file = into < 0.5 ? slide->from : slide->to;
    } else {
        file = bestVariant(slide->variants, monitor);
    }
    if (file.isEmpty()) {
        return {
            {},
            tk::Text::tr("the background description %1 names no picture for now").arg(shownName)};
    }
    if (QFileInfo(file).isRelative()) {
        file = QFileInfo(xmlPath).absoluteDir().filePath(file);
    }
    return {file, {}};
}

}  // namespace tk
