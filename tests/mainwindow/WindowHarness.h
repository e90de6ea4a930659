#pragma once
// Starting the main window the way the program does, against a settings file
// of the test's own, and drawing what its preview should show.

#include <QImage>
#include <QString>
#include <memory>

#include "mainwindow/MainWindow.h"

// Creates, loads and shows the main window with `iniFile` as its settings.
std::unique_ptr<MainWindow> startForm(const QString& iniFile);

// The preview box's picture as a fresh calendar draws the given month with
// the window's current font and colours.
QImage expectedPreview(MainWindow& form, int year, int month);

// Whether some pixel of `r` in `img` is close to `color`.
bool regionHas(const QImage& img, const QRect& r, const QColor& color);

// The pixel rectangle of day cell (row, column) of a preview drawn at the
// origin with font size `f` points (the tens and units slots).
QRect dayCell(int row, int column, double f);
