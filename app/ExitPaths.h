#pragma once

class MainWindow;
class QuitSignals;

// Every way out ends the way "Exit" does, so history.ini and color.ini are written: a quit
// signal, the end of the desktop session and the application quitting all run the window's
// destruction sequence, and the end of that sequence ends the event loop: with status 1 when a
// file could not be saved.
void ConnectExitPaths(MainWindow& window, QuitSignals& quitSignals);
