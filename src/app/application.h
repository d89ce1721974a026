#pragma once

// The application object: its error handler (an error no window caught ends the operation in
// progress, its text is shown and the program goes on) and the wheel-to-arrow-key hook.

#include "messages.h"

#include <QApplication>
#include <QObject>

#include <exception>
#include <functional>

namespace kestrova {

inline constexpr char ApplicationTitle[] = "Kestrova 7.0";

// Runs one operation; an error escaping it is shown through messages and swallowed.
// Returns false when the operation ended by an error.
bool RunGuarded(Messages &messages, const std::function<void()> &operation);
// The text the error handler shows for an error.
QString UncaughtErrorText(std::exception_ptr error);

// Every mouse-wheel turn becomes an Up (wheel away from the user) or Down arrow key press sent to
// the control that has the keyboard focus, so every list and field scrolls by the wheel as by the
// arrow keys.
class WheelToArrowKeyFilter final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

class KestrovaApplication final : public QApplication
{
public:
    KestrovaApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace kestrova
