#pragma once

class QLabel;
class QStatusBar;

// Fills the status bar with its three panels, sbPanel1 to sbPanel3: the caption from the configuration
// file, today's date and a clock, the last two kept current by a timer of the bar. Returns the caption
// panel, empty until the load stage sets it.
QLabel* createStatusPanels(QStatusBar* bar);
