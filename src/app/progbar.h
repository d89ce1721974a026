#pragma once

// TfrmProgBar: the shared progress window (a caption and a bar from 0 to 100), created hidden at
// start-up and reused by every long operation.

#include "messages.h"

#include <QWidget>

class QLabel;
class QProgressBar;

namespace kestrova {

class TfrmImagens;

class TfrmProgBar final : public QWidget
{
public:
    explicit TfrmProgBar(const TfrmImagens &images, QWidget *parent = nullptr);

    void SetCaption(const QString &caption);
    QString Caption() const { return windowTitle(); }
    void SetPosition(int percent);   // clamped to 0 … 100
    int Position() const;

    // Shows the window with the caption and percentage of each call; repaints at once, since the
    // operations that report progress keep the user-interface thread busy.
    ProgressFn AsProgressFn();

private:
    QLabel *m_caption = nullptr;
    QProgressBar *m_bar = nullptr;
};

} // namespace kestrova
