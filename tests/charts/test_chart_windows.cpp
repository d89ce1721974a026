#include "conf_grafico.h"
#include "config.h"
#include "messages.h"
#include "visu_grafico.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

using namespace kestrova;

namespace {

const char *const Keys[] = {"GraficoVE", "GraficoVEMed", "GraficoVE4", "GraficoFC", "GraficoVO2"};
const char *const Boxes[] = {"cpVE", "cpVEMed", "cpVE4", "cpFC", "cpVO2"};

class ConfGrafico : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath("kestrova.conf"); }
    QCheckBox *box(TfrmConfGrafico &f, int i) { return f.findChild<QCheckBox *>(Boxes[i]); }
    QPushButton *button(TfrmConfGrafico &f, const char *name) { return f.findChild<QPushButton *>(name); }
    std::vector<QString> stored()
    {
        IniFile ini(path());
        std::vector<QString> v;
        for (const char *k : Keys)
            v.push_back(ini.ReadString("Parametros", k, "absent"));
        return v;
    }
};

TEST_F(ConfGrafico, DefaultsAndConfirmWritesAllFiveKeys)
{
    TfrmConfGrafico f(nullptr, path());
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Configuração do Gráfico..."));
    const bool expected[] = {true, true, false, true, false};
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(box(f, i), nullptr) << Boxes[i];
        EXPECT_EQ(box(f, i)->isChecked(), expected[i]) << Boxes[i];
    }
    EXPECT_EQ(box(f, 2)->text(), QStringLiteral("VE4 "));
    ASSERT_NE(button(f, "btConfirmar"), nullptr);
    EXPECT_TRUE(button(f, "btConfirmar")->isEnabled());
    button(f, "btConfirmar")->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(stored(), (std::vector<QString> {"1", "1", "0", "1", "0"}));
}

TEST_F(ConfGrafico, ReadsLowerCaseSectionAndWritesTheChangedChoice)
{
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[parametros]\nGraficoVE=0\nGraficoVE4=1\nGraficoVO2=5\n");
    file.close();
    TfrmConfGrafico f(nullptr, path());
    EXPECT_FALSE(box(f, 0)->isChecked());
    EXPECT_TRUE(box(f, 1)->isChecked());   // absent: default
    EXPECT_TRUE(box(f, 2)->isChecked());
    EXPECT_TRUE(box(f, 4)->isChecked());   // any value other than 0
    box(f, 3)->click();                     // FC off
    button(f, "btConfirmar")->click();
    EXPECT_EQ(stored(), (std::vector<QString> {"0", "1", "1", "0", "1"}));
}

TEST_F(ConfGrafico, NoCurveTickedDisablesConfirmAndCancelWritesNothing)
{
    TfrmConfGrafico f(nullptr, path());
    for (int i : {0, 1, 3})
        box(f, i)->click();
    EXPECT_FALSE(button(f, "btConfirmar")->isEnabled());
    box(f, 4)->click();
    EXPECT_TRUE(button(f, "btConfirmar")->isEnabled());
    box(f, 4)->click();
    EXPECT_FALSE(button(f, "btConfirmar")->isEnabled());
    button(f, "btCancelar")->click();
    EXPECT_EQ(f.result(), QDialog::Rejected);
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_FALSE(TfrmConfGrafico::CanConfirm({false, false, false, false, false}));
    EXPECT_TRUE(TfrmConfGrafico::CanConfirm({false, false, false, false, true}));
}

TEST(ReplaceFileExtension, Cases)
{
    struct Case
    {
        const char *name;
        const char *path;
        const char *ext;
        const char *expected;
    };
    const Case cases[] = {
        {"OtherExtension", "/tmp/grafico.png", ".jpg", "/tmp/grafico.jpg"},
        {"NoExtension", "/tmp/grafico", ".bmp", "/tmp/grafico.bmp"},
        {"DotInFolderOnly", "/tmp/a.b/grafico", ".jpg", "/tmp/a.b/grafico.jpg"},
        {"WindowsFolderWithDot", "C:\\x.y\\grafico", ".bmp", "C:\\x.y\\grafico.bmp"},
        {"LastDotCounts", "/tmp/g.final.jpeg", ".jpg", "/tmp/g.final.jpg"},
        {"SameExtension", "/tmp/g.jpg", ".jpg", "/tmp/g.jpg"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ReplaceFileExtension(c.path, c.ext), QString::fromUtf8(c.expected)) << c.name;
}

class VisuGrafico : public ::testing::Test
{
protected:
    VisuGrafico() : form(nullptr, &messages)
    {
        form.surface().fill(Qt::white);
        for (int y = 40; y < 60; ++y)
            for (int x = 100; x < 200; ++x)
                form.surface().setPixel(x, y, 0xFF0000A0);
    }
    QTemporaryDir dir;
    ScriptedMessages messages;
    TfrmVisuGrafico form;
};

TEST_F(VisuGrafico, LayoutOfTheWindow)
{
    EXPECT_EQ(form.size(), QSize(776, 409));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Gráfico"));
    EXPECT_EQ(form.imGrafico()->geometry(), QRect(0, 61, 776, 348));
    EXPECT_EQ(form.surface().size(), QSize(776, 348));
    EXPECT_EQ(form.surface().format(), QImage::Format_RGB32);
    QWidget *bar = form.findChild<QWidget *>("pnBarra");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->geometry(), QRect(0, 25, 776, 36));
    EXPECT_EQ(form.findChild<QWidget *>("btFechar")->geometry().topLeft().x(), 776 - 34);
    EXPECT_EQ(form.findChild<QWidget *>("btSalvar")->toolTip(), QStringLiteral("Exportar gráfico para arquivo..."));
    EXPECT_EQ(form.lbAguarde()->text(), QStringLiteral("Aguarde..."));
    EXPECT_FALSE(form.lbAguarde()->isHidden());
}

TEST_F(VisuGrafico, SavesJpegAndBitmapUnderTheTypesExtension)
{
    const QString jpg = form.saveTo(dir.filePath("grafico.png"), TfrmVisuGrafico::TypeJpg);
    EXPECT_EQ(jpg, dir.filePath("grafico.jpg"));
    EXPECT_FALSE(QFile::exists(dir.filePath("grafico.png")));
    QImageReader jr(jpg);
    EXPECT_EQ(jr.format(), QByteArray("jpeg"));
    const QImage j = jr.read();
    EXPECT_EQ(j.size(), QSize(776, 348));
    EXPECT_LT(std::abs(qBlue(j.pixel(150, 50)) - 160), 6);   // quality 100 keeps the colour

    const QString bmp = form.saveTo(dir.filePath("grafico"), TfrmVisuGrafico::TypeBitmap);
    EXPECT_EQ(bmp, dir.filePath("grafico.bmp"));
    QImageReader br(bmp);
    EXPECT_EQ(br.format(), QByteArray("bmp"));
    const QImage b = br.read();
    EXPECT_EQ(b.size(), QSize(776, 348));
    EXPECT_EQ(b.pixel(150, 50) | 0xFF000000u, 0xFF0000A0u);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(TfrmVisuGrafico::NameForType("grafico.jpg", TfrmVisuGrafico::TypeBitmap), QStringLiteral("grafico.bmp"));
}

TEST_F(VisuGrafico, FailedSaveIsReported)
{
    const QString missing = dir.filePath("no/such/folder/grafico.jpg");
    EXPECT_TRUE(form.saveTo(missing, TfrmVisuGrafico::TypeJpg).isEmpty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Erro"));
    EXPECT_TRUE(messages.shown[0].text.contains(missing));
}

TEST_F(VisuGrafico, CopiesTheChartToTheClipboardAndHidesOnClose)
{
    form.btAreaTransfClick();
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.size(), QSize(776, 348));
    EXPECT_EQ(copied.pixel(150, 50) | 0xFF000000u, 0xFF0000A0u);
    form.show();
    form.btFecharClick();
    EXPECT_TRUE(form.isHidden());
    EXPECT_EQ(form.surface().pixel(150, 50) | 0xFF000000u, 0xFF0000A0u);   // kept for the next showing
}

} // namespace

namespace {

TEST_F(VisuGrafico, SwitchingTheFileTypeChangesTheExtensionInTheDialog)
{
    auto dialog = form.createExportDialog();
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Exportar como"));
    EXPECT_EQ(dialog->nameFilters(), QStringList({"JPG (*.jpg)", "Bitmap (*.bmp)"}));
    EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("JPG (*.jpg)"));
    dialog->setDirectory(dir.path());
    dialog->selectFile(QStringLiteral("grafico.jpg"));
    emit dialog->filterSelected(QStringLiteral("Bitmap (*.bmp)"));
    EXPECT_EQ(QFileInfo(dialog->selectedFiles().value(0)).fileName(), QStringLiteral("grafico.bmp"));
    emit dialog->filterSelected(QStringLiteral("JPG (*.jpg)"));
    EXPECT_EQ(QFileInfo(dialog->selectedFiles().value(0)).fileName(), QStringLiteral("grafico.jpg"));
}

} // namespace
