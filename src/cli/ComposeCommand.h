#pragma once
// tessaryn compose: one calendar onto a picture, without a desktop or a
// window, for scripts and fleets.

#include <QPointF>
#include <QString>
#include <QStringList>

#include "composition/CalendarComposition.h"

namespace cli {

struct ComposeOptions {
    QString base;  // the picture to draw on
    QString out;   // the file to write; its extension picks the format (BMP by default)
    composition::PlacedCalendar calendar;  // fontPixels unused: see sizePoints
    double sizePoints = 13;                // the size the window's preview uses at its design size
};

// compose's command line read: the options, or the message saying why they
// cannot be used, or a request for the help text.
struct ComposeArguments {
    ComposeOptions options;
    QString error;
    bool help = false;
};
ComposeArguments readComposeArguments(const QStringList& arguments);

int composeOne(const ComposeOptions& options);

// Writes `picture` to `path` in the format its extension names (BMP when it
// names none), replacing the file as a whole. Empty on success, else why not.
QString savePicture(const QImage& picture, const QString& path);

}  // namespace cli
