#pragma once

// The program's message boxes: every message of every window goes through one Messages object,
// this one in the running program, a ScriptedMessages in the tests.

#include "messages.h"

class QWidget;

namespace kestrova {

class QtMessages final : public Messages
{
public:
    MessageAnswer show(MessageIcon icon, const QString &caption, const QString &text,
                       MessageButtons buttons) override;
};

// The text as a message box shows it: "\r" (alone or before "\n") breaks the line.
QString MessageBoxText(const QString &text);

// The service every window of this run uses; falls back to a QtMessages when none was set.
Messages &AppMessages();
void SetAppMessages(Messages *messages);

} // namespace kestrova
