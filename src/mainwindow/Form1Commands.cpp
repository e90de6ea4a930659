// The main window's two commands that open other windows: "Drag Calendar"
// and the font button.
#include "mainwindow/Form1.h"

#include "placement/PlacementStart.h"

void Form1::cmdDrag_Click() { StartPlacement(*Picture1, *this, this); }
void Form1::Command1_Click() {}
