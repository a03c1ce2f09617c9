// What Enter and Escape do in the program's dialogs and secondary windows.
// Enter presses a dialog's default button, which is never the destructive
// choice; Escape cancels. Secondary windows close with Escape and Ctrl+W.
#pragma once

class QPushButton;
class QWidget;

namespace torvio {

// Makes `button` the one Enter presses in its dialog. Call it once the
// button belongs to the dialog (after the layout took it): Qt forgets a
// default made before that as soon as another button has had the focus.
void MakeDefault(QPushButton *button);

// Escape and Ctrl+W (the platform's Close key) close `window`.
void CloseOnEscape(QWidget *window);

} // namespace torvio
