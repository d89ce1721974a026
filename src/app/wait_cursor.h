#pragma once

#include <QApplication>

namespace kestrova {

// The hourglass while the program works; restored however the code between leaves.
struct WaitCursor
{
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { restore(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
    void restore()
    {
        if (active)
            QApplication::restoreOverrideCursor();
        active = false;
    }
    bool active = true;
};

} // namespace kestrova
