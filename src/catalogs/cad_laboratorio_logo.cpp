// The laboratory window's report logo: choosing, checking, converting and removing it.

#include "cad_laboratorio.h"

#include "builtin_logo.h"
#include "messages.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QPainter>

namespace kestrova {

ImageFileChooser DefaultImageFileChooser()
{
    return [](QWidget *parent) {
        QFileDialog dialog(parent, QStringLiteral("Carregar Imagem..."));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(QStringLiteral("jpg"));
        dialog.setNameFilters({QStringLiteral("Imagens (*.jpg *.png *.bmp)"), QStringLiteral("JPEG (*.jpg)"),
                               QStringLiteral("PNG (*.png)"), QStringLiteral("Bitmap (*.bmp)"),
                               QStringLiteral("Todos os arquivos (*.*)")});
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                         : QString();
    };
}

QString TfrmCadLaboratorio::ownLogoPath() const
{
    return QDir(m_configFolder).filePath(QString::fromLatin1(OwnLogoFile));
}

QString TfrmCadLaboratorio::builtInLogoPath() const
{
    return QDir(m_configFolder).filePath(QString::fromLatin1(BuiltInLogoFile));
}

void TfrmCadLaboratorio::showLogo(const QImage &image, bool own)
{
    m_logo = image;
    m_logoLoaded = own && !image.isNull();
    if (image.isNull()) {
        imLogotipo->clear();
    } else {
        const QSize box = imLogotipo->contentsRect().size();
        imLogotipo->setPixmap(QPixmap::fromImage(
            image.width() > box.width() || image.height() > box.height()
                ? image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                : image));
    }
    btRemoverLogo->setVisible(m_logoLoaded);
}

void TfrmCadLaboratorio::imLogotipoClick()
{
    const QString path = m_chooser ? m_chooser(this) : QString();
    if (path.isEmpty())
        return;
    LoadLogoFile(path);
}

bool TfrmCadLaboratorio::LoadLogoFile(const QString &path)
{
    QImageReader reader(path);
    const QImage scratch = reader.read();
    if (scratch.isNull()) {
        m_messages.error(QStringLiteral("Não foi possível carregar a imagem \"%1\":\r%2")
                             .arg(QFileInfo(path).fileName(), reader.errorString()));
        return false;
    }
    if (scratch.width() < 1 || scratch.width() > MaxLogoWidth || scratch.height() < 1
        || scratch.height() > MaxLogoHeight) {
        m_messages.error(QStringLiteral(
            "Imagem seleciona não é válida! O tamanho da imagem não pode exceder 110 x 65 pixels."));
        return false;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    QImage bitmap;
    if (suffix == QLatin1String("jpg")) {
        bitmap = scratch.convertToFormat(QImage::Format_RGB32);
    } else if (suffix == QLatin1String("png")) {
        bitmap = QImage(scratch.size(), QImage::Format_RGB32);
        bitmap.fill(Qt::white);
        QPainter painter(&bitmap);
        painter.drawImage(0, 0, scratch);
    } else {
        bitmap = scratch.convertToFormat(QImage::Format_RGB32);
    }
    if (bitmap.isNull())
        return false;
    showLogo(bitmap, true);
    setChanged(true);
    return true;
}

void TfrmCadLaboratorio::btRemoverLogoClick()
{
    showLogo(QImage(), false);
    setChanged(true);
}

} // namespace kestrova
