#pragma once
// GNOME's background description files (XML): a still picture, perhaps in
// several sizes, or a timed slideshow of pictures with transitions. They are
// read the way GNOME reads them, to the one picture file shown now.

#include <QByteArray>
#include <QDateTime>
#include <QSize>
#include <QString>

namespace tk {

// True when `head` (the start of a file) is a background description.
bool looksLikeBackgroundXml(const QByteArray& head);

struct BackgroundChoice {
    QString file;   // the picture shown; empty on failure
    QString error;  // why none could be chosen
};

// The picture the description `xml` (read from `xmlPath`) shows on a
// monitor of `monitor` device pixels at the time `now`: of a still picture
// in several sizes, the size GNOME picks (of those at least as large as the
// monitor, else of all: the closest aspect ratio, then the closest width); of a slideshow, the
// picture of the slide under way (during a transition, the one it mostly
// shows). Relative names are taken from the description's folder.
BackgroundChoice chooseBackground(const QByteArray& xml, const QString& xmlPath, QSize monitor,
                                  const QDateTime& now);

}  // namespace tk
