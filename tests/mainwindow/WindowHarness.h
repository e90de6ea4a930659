#pragma once
// Starting the main window the way the program does, against a settings file
// of the test's own, and drawing what its preview should show.

#include <QImage>
#include <QString>
#include <memory>

#include <QDate>

#include "mainwindow/MainWindow.h"
#include "support/FakeServices.h"

// Creates, loads and shows the main window with `iniFile` as its settings,
// with fakes of its own for what main hands it; `today` is the clock's day.
std::unique_ptr<mainwindow::MainWindow> startForm(const QString& iniFile,
                                                  QDate today = QDate::currentDate());
// The fakes a window from startForm was given.
FakeServices& fakesOf(mainwindow::MainWindow& form);

// The preview box's picture as a fresh calendar draws the given month with
// the window's current font and colours.
QImage expectedPreview(mainwindow::MainWindow& form, int year, int month);

// Whether some pixel of `r` in `img` is close to `color`.
bool regionHas(const QImage& img, const QRect& r, const QColor& color);

// The pixel rectangle of day cell (row, column) of a preview drawn at the
// origin with font size `f` points (the tens and units slots).
QRect dayCell(int row, int column, double f);
