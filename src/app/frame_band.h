#pragma once

// The band at the top of a value panel: the three frame pictures of the image store (left corner,
// stretched centre, right corner) with the panel's caption in white bold Arial.

#include <QPixmap>
#include <QWidget>

namespace kestrova {

class FrameBand final : public QWidget
{
public:
    explicit FrameBand(const QString &caption, QWidget *parent = nullptr);

    void SetPictures(const QPixmap &left, const QPixmap &centre, const QPixmap &right);
    void SetCaption(const QString &caption);
    QString Caption() const { return m_caption; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
    QPixmap m_left, m_centre, m_right;
};

} // namespace kestrova
