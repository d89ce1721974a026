#include "progbar.h"

#include "imagens.h"
#include "picture_painter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace kestrova {

TfrmProgBar::TfrmProgBar(const TfrmImagens &images, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmProgBar"));
    setFixedSize(360, 78);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 188, 96));
    setPalette(pal);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imProgBar"));
    picture->setPixmap(images.Picture(QStringLiteral("imProgBar")));
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("lbProgBar"));
    m_caption->setFont(ArialFont(10, true));
    m_caption->setStyleSheet(QStringLiteral("color: #000080;"));
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("pbProgBar"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(true);

    auto *right = new QVBoxLayout;
    right->addWidget(m_caption);
    right->addWidget(m_bar);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(12, 10, 12, 10);
    row->setSpacing(12);
    row->addWidget(picture, 0, Qt::AlignVCenter);
    row->addLayout(right, 1);

    SetCaption(QStringLiteral("Gerando gráfico..."));
}

void TfrmProgBar::SetCaption(const QString &caption)
{
    setWindowTitle(caption);
    m_caption->setText(caption);
}

void TfrmProgBar::SetPosition(int percent)
{
    m_bar->setValue(std::clamp(percent, 0, 100));
}

int TfrmProgBar::Position() const
{
    return m_bar->value();
}

ProgressFn TfrmProgBar::AsProgressFn()
{
    return [this](const QString &caption, int percent) {
        if (caption != Caption())
            SetCaption(caption);
        SetPosition(percent);
        if (!isVisible())
            show();
        repaint();
    };
}

} // namespace kestrova
