// The main window's settings file: where it lives, reading it while the
// window loads and writing it when the window unloads.
#include "mainwindow/Form1.h"

void Form1::LoadSettingsPath() {}
void Form1::LoadSettings() {}
void Form1::SaveSettings() {}
