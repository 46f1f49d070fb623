// One QApplication for all tests of an executable, on the X server of the suite where one is named.

#include "tests/render/GuiTestApp.h"
