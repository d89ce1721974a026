#include "imagens.h"

#include "picture_painter.h"

#include <QPainter>

namespace kestrova {

namespace {

constexpr int ToolbarIconSize = 32;
constexpr int MenuIconSize = 16;
constexpr int SensorIconSize = 32;
constexpr int HeartIconSize = 32;
constexpr int GlyphHeights[] = {32, 22, 16, 12};

} // namespace

const QStringList &TfrmImagens::ActionImageNames()
{
    static const QStringList names = {
        QStringLiteral("CadAvaliados"), QStringLiteral("CadGrupos"), QStringLiteral("CadProtocolos"),
        QStringLiteral("NovaAvaliacao"), QStringLiteral("VisualizarAvaliacao"), QStringLiteral("Comunicacao"),
        QStringLiteral("Parametros"), QStringLiteral("ConfigGrafico"), QStringLiteral("Backup"),
        QStringLiteral("Fechar"), QStringLiteral("Sobre"),
    };
    return names;
}

const QStringList &TfrmImagens::GlyphNames()
{
    // The order is the glyph index of every button list: btFCOK uses 8, btEncerrarAvaliacao 12,
    // btRecuperacao 13.
    static const QStringList names = {
        QStringLiteral("BtnNovo"), QStringLiteral("BtnEditar"), QStringLiteral("BtnExcluir"),
        QStringLiteral("BtnSalvar"), QStringLiteral("BtnCancelar"), QStringLiteral("BtnPesquisar"),
        QStringLiteral("BtnDocumentPrint"), QStringLiteral("BtnFechar"), QStringLiteral("BtnOK"),
        QStringLiteral("BtnSerialTeste"), QStringLiteral("BtnDocumentExcel"), QStringLiteral("BtnDocumentTxt"),
        QStringLiteral("BtnEncerrar"), QStringLiteral("BtnRecuperacao"), QStringLiteral("BtnDocumentPDF"),
        QStringLiteral("BtnGrafico"),
    };
    return names;
}

TfrmImagens::TfrmImagens(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmImagens"));
    setWindowTitle(QStringLiteral("Imagens"));
    setAttribute(Qt::WA_DontShowOnScreen);

    add(QStringLiteral("imMoldura_canto_esq"), DrawFramePiece(0));
    add(QStringLiteral("imMoldura_centro"), DrawFramePiece(1));
    add(QStringLiteral("imMoldura_canto_dir"), DrawFramePiece(2));

    const QStringList &actions = ActionImageNames();
    for (int i = 0; i < actions.size(); ++i) {
        const QString &n = actions[i];
        if (n != QLatin1String("Sobre")) {
            const QImage icon = DrawIcon(n, ToolbarIconSize);
            add(QStringLiteral("im") + n + QStringLiteral("E"), icon);
            add(QStringLiteral("im") + n + QStringLiteral("D"), DisabledVariant(icon));
        }
        add(QStringLiteral("im") + n + QStringLiteral("Menu"), DrawIcon(n, MenuIconSize));
    }
    add(QStringLiteral("imCadLaboratorioMenu"), DrawIcon(QStringLiteral("Laboratorio"), MenuIconSize));
    add(QStringLiteral("imTesteSensorMenu"), DrawIcon(QStringLiteral("TesteSensor"), MenuIconSize));

    for (const QString &g : GlyphNames())
        add(QStringLiteral("im") + g, DrawIcon(g, 32));
    add(QStringLiteral("imExcel48"), DrawIcon(QStringLiteral("Excel48"), 48));
    add(QStringLiteral("imExcelModelo48"), DrawIcon(QStringLiteral("ExcelModelo48"), 48));

    add(QStringLiteral("imIcnFC"), DrawHeartIcon(QString(), HeartIconSize));
    add(QStringLiteral("imIcnFCOn"), DrawHeartIcon(QStringLiteral("On"), HeartIconSize));
    add(QStringLiteral("imIcnFCOff"), DrawHeartIcon(QStringLiteral("Off"), HeartIconSize));
    add(QStringLiteral("imIcnFCDisabled"), DrawHeartIcon(QStringLiteral("Disabled"), HeartIconSize));

    for (const char *state : {"Verde", "Amarelo", "Vermelho", "Cinza", "Preto"}) {
        const QString s = QString::fromLatin1(state);
        add(QStringLiteral("imSensor") + s + QStringLiteral("Limiar"), DrawSensorIcon(s, false, SensorIconSize));
        add(QStringLiteral("imSensor") + s + QStringLiteral("FC"), DrawSensorIcon(s, true, SensorIconSize));
    }

    add(QStringLiteral("imLogo"), DrawLogo(600, 200, true));
    add(QStringLiteral("imLogoBar"), DrawLogo(150, 40, false));
    add(QStringLiteral("imSobre"), DrawAboutPicture(360, 220));
    add(QStringLiteral("imProgBar"), DrawProgressPicture(32));
    add(QStringLiteral("imCabecalho"), DrawHeaderPicture(480, 48));

    BuildImageLists(palette().color(QPalette::Button));
}

void TfrmImagens::add(const QString &name, const QImage &image)
{
    m_pictures.insert(name, QPixmap::fromImage(image));
}

void TfrmImagens::BuildImageLists(const QColor &faceColour)
{
    m_toolbarIcons.clear();
    m_menuIcons.clear();
    const QStringList &actions = ActionImageNames();
    for (const QString &n : actions) {
        QIcon toolbar;
        if (n != QLatin1String("Sobre")) {
            toolbar.addPixmap(Picture(QStringLiteral("im") + n + QStringLiteral("E")), QIcon::Normal);
            toolbar.addPixmap(Picture(QStringLiteral("im") + n + QStringLiteral("D")), QIcon::Disabled);
        }
        m_toolbarIcons.push_back(toolbar);
        QIcon menu(Picture(QStringLiteral("im") + n + QStringLiteral("Menu")));
        m_menuIcons.push_back(menu);
    }

    m_glyphLists.clear();
    const QStringList &glyphs = GlyphNames();
    for (int h : GlyphHeights) {
        QImage strip(2 * h * int(glyphs.size()), h, QImage::Format_ARGB32_Premultiplied);
        // Glyphs with transparent parts are laid on a background: white, the smallest on the
        // button face so they blend with the buttons they sit on.
        strip.fill(h == 12 ? faceColour : QColor(Qt::white));
        QPainter p(&strip);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        for (int i = 0; i < glyphs.size(); ++i) {
            const QImage normal = DrawIcon(glyphs[i], h);
            p.drawImage(QPoint(2 * h * i, 0), normal);
            p.drawImage(QPoint(2 * h * i + h, 0), DisabledVariant(normal));
        }
        p.end();
        m_glyphLists.insert(h, QPixmap::fromImage(strip));
    }

    m_spreadsheetIcons.clear();
    for (const char *n : {"imExcel48", "imExcelModelo48"}) {
        QImage bg(48, 48, QImage::Format_ARGB32_Premultiplied);
        bg.fill(Qt::white);
        QPainter p(&bg);
        p.drawPixmap(0, 0, Picture(QString::fromLatin1(n)));
        p.end();
        m_spreadsheetIcons.push_back(QPixmap::fromImage(bg));
    }
}

QIcon TfrmImagens::ToolbarIcon(int index) const
{
    return index >= 0 && index < int(m_toolbarIcons.size()) ? m_toolbarIcons[size_t(index)] : QIcon();
}

QIcon TfrmImagens::MenuIcon(int index) const
{
    return index >= 0 && index < int(m_menuIcons.size()) ? m_menuIcons[size_t(index)] : QIcon();
}

QPixmap TfrmImagens::Glyph(int height, int index) const
{
    if (!m_glyphLists.contains(height) || index < 0 || index >= GlyphCount())
        return QPixmap();
    return m_glyphLists.value(height).copy(2 * height * index, 0, 2 * height, height);
}

QPixmap TfrmImagens::SpreadsheetIcon(int index) const
{
    return index >= 0 && index < int(m_spreadsheetIcons.size()) ? m_spreadsheetIcons[size_t(index)] : QPixmap();
}

} // namespace kestrova
