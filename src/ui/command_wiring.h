#pragma once

class MainWindow;
class PrinterAccess;

// Connects the commands that live outside the main window (radio transfers, port choice, report, tune
// mode, about box) to its menu items and toolbar buttons. Everything created here is owned by the window.
// printers: where the report commands print; null means the system's printers.
void wireCommands(MainWindow& window, const PrinterAccess* printers = nullptr);
