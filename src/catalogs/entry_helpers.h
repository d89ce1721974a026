#pragma once

// Small behaviours shared by the catalog windows' entry boxes.

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;
class QWidget;

namespace kestrova {

// Turns what is typed into the box into upper case, keeping the cursor where it was.
void MakeUpperCase(QLineEdit *edit);

// Only the digits, the decimal comma, backspace and tab reach the box; keys that produce no
// character (arrows, Delete, Home...) pass.
void AcceptDecimalKeysOnly(QWidget *box);

// Enter in the box moves the focus to the next control instead of reaching the dialog.
void EnterMovesToNext(QWidget *box);

// Calls handler when the box loses the focus.
void OnExit(QWidget *box, std::function<void()> handler);

// Calls handler when the widget is clicked with the mouse.
void OnClick(QWidget *widget, std::function<void()> handler);

// A number as the editor shows it: "%6.2f" without the leading blanks (decimal comma).
QString StageNumberText(double value);

} // namespace kestrova
