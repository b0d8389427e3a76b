#pragma once

class MainWindow;

// "调整模式(&T)": the password dialog, then the tune window. A band range stored on leaving goes into the
// main window (its band label follows at the next activation) and, when left through "退出调整", into the
// configuration file.
void runTuneCommand(MainWindow& window);
