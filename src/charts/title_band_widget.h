#pragma once

// A widget that shows the 25-pixel title band (see title_band.h).

#include <QWidget>

namespace kestrova {

class TitleBandWidget : public QWidget
{
    Q_OBJECT
public:
    explicit TitleBandWidget(const QString &title, QWidget *parent = nullptr);
    QString title() const { return m_title; }
    void setTitle(const QString &title);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_title;
};

// Gives a window the main window's background colour.
void ApplyMainWindowBackground(QWidget *window);

} // namespace kestrova
