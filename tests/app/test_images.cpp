#include "imagens.h"
#include "progbar.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace kestrova;

namespace {

// True when the picture has visible pixels of more than one colour: drawn, not a blank square.
bool isDrawn(const QPixmap &p)
{
    const QImage img = p.toImage().convertToFormat(QImage::Format_ARGB32);
    QRgb first = 0;
    bool any = false;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb px = img.pixel(x, y);
            if (qAlpha(px) == 0)
                continue;
            if (!any) {
                first = px;
                any = true;
            } else if (px != first) {
                return true;
            }
        }
    return false;
}

} // namespace

TEST(ImageStore, EveryNamedPictureExistsAndIsDrawn)
{
    TfrmImagens store;
    QStringList names = {
        "imMoldura_canto_esq", "imMoldura_centro", "imMoldura_canto_dir", "imIcnFC", "imIcnFCOn", "imIcnFCOff",
        "imIcnFCDisabled", "imSobre", "imLogo", "imLogoBar", "imProgBar", "imBtnEncerrar", "imBtnRecuperacao",
        "imBtnSerialTeste", "imBtnDocumentPrint", "imBtnDocumentExcel", "imBtnDocumentTxt", "imBtnDocumentPDF",
        "imCabecalho", "imExcel48", "imExcelModelo48"};
    for (const QString &a : TfrmImagens::ActionImageNames()) {
        names << QStringLiteral("im") + a + QStringLiteral("Menu");
        if (a != QLatin1String("Sobre"))
            names << QStringLiteral("im") + a + QStringLiteral("E") << QStringLiteral("im") + a + QStringLiteral("D");
    }
    for (const char *state : {"Verde", "Amarelo", "Vermelho", "Cinza", "Preto"})
        for (const char *icon : {"Limiar", "FC"})
            names << QStringLiteral("imSensor") + QString::fromLatin1(state) + QString::fromLatin1(icon);
    for (const QString &n : names) {
        ASSERT_TRUE(store.Has(n)) << n.toStdString();
        EXPECT_TRUE(isDrawn(store.Picture(n)) || n == QLatin1String("imMoldura_centro")) << n.toStdString();
    }
    // Enabled and disabled toolbar pictures differ, as do the five sensor states.
    EXPECT_NE(store.Picture("imFecharE").toImage(), store.Picture("imFecharD").toImage());
    EXPECT_NE(store.Picture("imSensorVerdeFC").toImage(), store.Picture("imSensorAmareloFC").toImage());
    EXPECT_NE(store.Picture("imSensorVermelhoLimiar").toImage(), store.Picture("imSensorVermelhoFC").toImage());
}

TEST(ImageStore, ImageListsGiveGlyphsByIndexAndSize)
{
    TfrmImagens store;
    for (int h : {32, 22, 16, 12}) {
        const QPixmap g = store.Glyph(h, 12);
        ASSERT_FALSE(g.isNull()) << h;
        EXPECT_EQ(g.size(), QSize(2 * h, h));
    }
    EXPECT_TRUE(store.Glyph(32, store.GlyphCount()).isNull());
    EXPECT_TRUE(store.Glyph(20, 0).isNull());
    EXPECT_FALSE(store.ToolbarIcon(9).pixmap(32, QIcon::Disabled).isNull());
    EXPECT_FALSE(store.MenuIcon(10).isNull());
    EXPECT_EQ(store.SpreadsheetIcon(1).size(), QSize(48, 48));
}

TEST(ProgressWindow, StartsHiddenWithItsCaptionAndClampsThePosition)
{
    TfrmImagens store;
    TfrmProgBar bar(store);
    EXPECT_FALSE(bar.isVisible());
    EXPECT_EQ(bar.Caption(), QStringLiteral("Gerando gráfico..."));
    EXPECT_TRUE(bar.windowFlags() & Qt::WindowStaysOnTopHint);
    ProgressFn progress = bar.AsProgressFn();
    progress(QStringLiteral("Salvando... 40%"), 140);
    EXPECT_TRUE(bar.isVisible());
    EXPECT_EQ(bar.Caption(), QStringLiteral("Salvando... 40%"));
    EXPECT_EQ(bar.Position(), 100);
    bar.SetPosition(-5);
    EXPECT_EQ(bar.Position(), 0);
}
