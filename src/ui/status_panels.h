#pragma once

#include <QString>

class QLabel;
class QStatusBar;

// Fills the status bar with its three panels, sbPanel1 to sbPanel3: the caption from the configuration
// file, today's date and a clock, the last two kept current by a timer of the bar. Returns the caption
// panel, empty until the load stage sets it.
QLabel* createStatusPanels(QStatusBar* bar);
// A panel after the caption for a note of the program's own (an incomplete table, the outcome of the last
// transfer); hidden while it has no text.
QLabel* addNotePanel(QStatusBar* bar, const QString& objectName);
// Shows the text in a note panel, or hides the panel for an empty text.
void showNote(QLabel* panel, const QString& text);
