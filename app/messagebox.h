// The program's message boxes: modal, an OK button only, no icon.
#pragma once

#include <QString>

class QWidget;

// Shows `text` over `owner` until the user presses OK. A box without a title
// of its own shows the program's name.
void showMessage(QWidget* owner, const QString& text, const QString& title);
