#include "visu_grafico.h"

#include "messages.h"
#include "title_band.h"
#include "title_band_widget.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImageWriter>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QStyle>
#include <QToolButton>

namespace kestrova {

namespace {

const QString FilterJpg = QStringLiteral("JPG (*.jpg)");
const QString FilterBitmap = QStringLiteral("Bitmap (*.bmp)");

QString extensionFor(int fileType)
{
    return fileType == TfrmVisuGrafico::TypeBitmap ? QStringLiteral(".bmp") : QStringLiteral(".jpg");
}

} // namespace

ChartImageWidget::ChartImageWidget(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartImageWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(QPoint(0, 0), m_image);
}

QString ReplaceFileExtension(const QString &path, const QString &extension)
{
    const qsizetype separator = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot > separator)
        return path.left(dot) + extension;
    return path + extension;
}

TfrmVisuGrafico::TfrmVisuGrafico(QWidget *parent, Messages *messages)
    : QWidget(parent, Qt::Tool), m_messages(messages)
{
    setObjectName(QStringLiteral("frmVisuGrafico"));
    setWindowTitle(QStringLiteral("Gráfico"));
    setFixedSize(ClientWidth, ClientHeight);
    ApplyMainWindowBackground(this);

    m_lbGrafico = new TitleBandWidget(QStringLiteral("Gráfico"), this);
    m_lbGrafico->setObjectName(QStringLiteral("lbGrafico"));
    m_pnBarra = new QWidget(this);
    m_pnBarra->setObjectName(QStringLiteral("pnBarra"));

    auto makeButton = [this](const char *name, const char *hint, QStyle::StandardPixmap icon) {
        auto *b = new QToolButton(m_pnBarra);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(QString::fromUtf8(hint));
        b->setAutoRaise(true);
        b->setIcon(style()->standardIcon(icon));
        b->setIconSize(QSize(32, 32));
        b->setFixedSize(34, 34);
        return b;
    };
    m_btAreaTransf = makeButton("btAreaTransf", "Exportar gráfico para Área de Transferência...",
                                QStyle::SP_FileDialogDetailedView);
    m_btSalvar = makeButton("btSalvar", "Exportar gráfico para arquivo...", QStyle::SP_DialogSaveButton);
    m_btFechar = makeButton("btFechar", "Fechar Gráfico...", QStyle::SP_DialogCloseButton);
    connect(m_btAreaTransf, &QToolButton::clicked, this, &TfrmVisuGrafico::btAreaTransfClick);
    connect(m_btSalvar, &QToolButton::clicked, this, &TfrmVisuGrafico::btSalvarClick);
    connect(m_btFechar, &QToolButton::clicked, this, &TfrmVisuGrafico::btFecharClick);

    m_imGrafico = new ChartImageWidget(this);
    m_imGrafico->setObjectName(QStringLiteral("imGrafico"));
    m_lbAguarde = new QLabel(QStringLiteral("Aguarde..."), m_imGrafico);
    m_lbAguarde->setObjectName(QStringLiteral("lbAguarde"));
    m_lbAguarde->setAlignment(Qt::AlignCenter);
    QFont big;
    big.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    big.setPixelSize(24);
    m_lbAguarde->setFont(big);
    FormCreate();
}

void TfrmVisuGrafico::FormCreate()
{
    const int w = ClientWidth;
    const int h = ClientHeight;
    m_lbGrafico->setGeometry(0, 0, w, TitleBandHeight);
    m_pnBarra->setGeometry(0, 25, w, 36);
    m_btAreaTransf->move(2, 1);
    m_btSalvar->move(38, 1);
    m_btFechar->move(w - 34, 1);
    m_imGrafico->setGeometry(0, 61, w, h - 61);
    m_imGrafico->image() = QImage(w, h - 61, QImage::Format_RGB32);
    m_imGrafico->image().fill(Qt::white);
    m_lbAguarde->setGeometry(0, 0, w, h - 61);
    m_lbAguarde->setVisible(true);
}

QImage &TfrmVisuGrafico::surface()
{
    return m_imGrafico->image();
}

void TfrmVisuGrafico::btAreaTransfClick()
{
    QGuiApplication::clipboard()->setImage(m_imGrafico->image());
}

QString TfrmVisuGrafico::NameForType(const QString &name, int fileType)
{
    return ReplaceFileExtension(name, extensionFor(fileType));
}

QString TfrmVisuGrafico::saveTo(const QString &path, int fileType)
{
    const QString target = NameForType(path, fileType);
    const QImage copy = m_imGrafico->image().convertToFormat(QImage::Format_RGB32);
    QImageWriter writer(target, fileType == TypeBitmap ? QByteArrayLiteral("bmp") : QByteArrayLiteral("jpg"));
    if (fileType != TypeBitmap) {
        writer.setQuality(100);
        writer.setOptimizedWrite(true);
    }
    if (writer.write(copy))
        return target;
    const QString text = QStringLiteral("Não foi possível gravar o arquivo \"%1\":\r%2").arg(target, writer.errorString());
    if (m_messages)
        m_messages->error(text);
    else
        QMessageBox::critical(this, QString::fromUtf8(CaptionError), QString(text).replace(u'\r', u'\n'));
    return QString();
}

void TfrmVisuGrafico::sdExportarTypeChange(QFileDialog *dialog, const QString &filter)
{
    const QString current = dialog->selectedFiles().value(0);
    if (current.isEmpty())
        return;
    const int type = filter == FilterBitmap ? TypeBitmap : TypeJpg;
    dialog->selectFile(QFileInfo(NameForType(current, type)).fileName());
}

std::unique_ptr<QFileDialog> TfrmVisuGrafico::createExportDialog()
{
    auto dialog = std::make_unique<QFileDialog>(this, QStringLiteral("Exportar como"));
    dialog->setObjectName(QStringLiteral("sdExportar"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilters({FilterJpg, FilterBitmap});
    dialog->setDefaultSuffix(QStringLiteral("jpg"));
    dialog->setSizeGripEnabled(true);
    QFileDialog *d = dialog.get();
    connect(d, &QFileDialog::filterSelected, this, [this, d](const QString &filter) { sdExportarTypeChange(d, filter); });
    return dialog;
}

void TfrmVisuGrafico::btSalvarClick()
{
    const std::unique_ptr<QFileDialog> dialog = createExportDialog();
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return;
    const int type = dialog->selectedNameFilter() == FilterBitmap ? TypeBitmap : TypeJpg;
    saveTo(dialog->selectedFiles().constFirst(), type);
}

void TfrmVisuGrafico::btFecharClick()
{
    hide();
}

} // namespace kestrova
