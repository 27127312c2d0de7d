// How the program introduces itself to the desktop: the application name (the
// window class, and the title of message boxes without one of their own), the
// desktop entry its windows belong to, and its icon.
#pragma once

#include <QIcon>

// The program's icon, as built into it.
QIcon programIcon();

// Names the running application and gives its windows the icon; call once,
// before the first window is shown.
void introduceToDesktop();
