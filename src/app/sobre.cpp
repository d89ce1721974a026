#include "sobre.h"

#include "imagens.h"
#include "picture_painter.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrova {

TfrmSobre::TfrmSobre(const TfrmImagens &images, const QString &version, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSobre"));
    setWindowTitle(QStringLiteral("Sobre o Kestrova"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 188, 96));
    setPalette(pal);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imSobre"));
    picture->setPixmap(images.Picture(QStringLiteral("imSobre")));
    picture->setAlignment(Qt::AlignCenter);
    auto *lbVersao = new QLabel(QStringLiteral("Versão: ") + version, this);
    lbVersao->setObjectName(QStringLiteral("lbVersao"));
    lbVersao->setFont(ArialFont(10, true));
    lbVersao->setAlignment(Qt::AlignCenter);
    lbVersao->setStyleSheet(QStringLiteral("color: #000080;"));
    auto *btOK = new QPushButton(QStringLiteral("&OK"), this);
    btOK->setObjectName(QStringLiteral("btOK"));
    btOK->setDefault(true);
    btOK->setMinimumWidth(90);
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 12);
    column->setSpacing(10);
    column->addWidget(picture);
    column->addWidget(lbVersao);
    column->addWidget(btOK, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint());
}

} // namespace kestrova
