#pragma once

// Chart viewer: the window in which the evaluation browser shows the chart of one sample column,
// with copying to the clipboard and saving as JPEG or bitmap.

#include <QImage>
#include <QWidget>

#include <memory>

class QFileDialog;
class QLabel;
class QToolButton;

namespace kestrova {

class Messages;
class TitleBandWidget;

// Shows a QImage at its top-left corner, at scale 1, on white.
class ChartImageWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ChartImageWidget(QWidget *parent = nullptr);
    QImage &image() { return m_image; }
    const QImage &image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};

// The name with the part from the last dot of its file name replaced by extension (".jpg");
// a file name without a dot gets the extension appended.
QString ReplaceFileExtension(const QString &path, const QString &extension);

class TfrmVisuGrafico : public QWidget
{
    Q_OBJECT
public:
    enum FileType { TypeJpg = 0, TypeBitmap = 1 };
    static constexpr int ClientWidth = 776;
    static constexpr int ClientHeight = 409;

    // messages: where a failed save is reported (a message box when null).
    explicit TfrmVisuGrafico(QWidget *parent = nullptr, Messages *messages = nullptr);

    // The surface the browser draws on (ChartView); its size is that of imGrafico.
    QImage &surface();
    ChartImageWidget *imGrafico() const { return m_imGrafico; }
    QLabel *lbAguarde() const { return m_lbAguarde; }

    // Saves the current chart as the dialog would after the user chose path and type. Returns the
    // file written, or an empty text when it failed (the failure has been reported).
    QString saveTo(const QString &path, int fileType);
    // The name the dialog shows after the user switched to fileType.
    static QString NameForType(const QString &name, int fileType);

    // The save dialog sdExportar as btSalvarClick shows it, with the type-change rule connected.
    std::unique_ptr<QFileDialog> createExportDialog();

    void btAreaTransfClick();
    void btSalvarClick();
    void btFecharClick();

private:
    void FormCreate();
    void sdExportarTypeChange(QFileDialog *dialog, const QString &filter);

    Messages *m_messages;
    TitleBandWidget *m_lbGrafico = nullptr;
    QWidget *m_pnBarra = nullptr;
    QToolButton *m_btAreaTransf = nullptr;
    QToolButton *m_btSalvar = nullptr;
    QToolButton *m_btFechar = nullptr;
    ChartImageWidget *m_imGrafico = nullptr;
    QLabel *m_lbAguarde = nullptr;
};

} // namespace kestrova
