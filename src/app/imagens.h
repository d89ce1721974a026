#pragma once

// TfrmImagens: the hidden store of every picture of the program, by name. Windows copy the
// pictures they need from here; the main window also builds its image lists from it.

#include <QIcon>
#include <QMap>
#include <QPixmap>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace kestrova {

class TfrmImagens final : public QWidget
{
public:
    explicit TfrmImagens(QWidget *parent = nullptr);

    // A null pixmap for an unknown name.
    QPixmap Picture(const QString &name) const { return m_pictures.value(name); }
    bool Has(const QString &name) const { return m_pictures.contains(name); }
    QStringList Names() const { return m_pictures.keys(); }

    // Toolbar icons by action image index (0 … 9): enabled picture, with the disabled one as the
    // icon's Disabled mode.
    QIcon ToolbarIcon(int index) const;
    // Menu icons by action image index (0 … 10).
    QIcon MenuIcon(int index) const;
    // Button glyph lists: height 32, 22, 16 or 12, each glyph 2 × height wide (normal, disabled).
    // An unknown size or index gives a null pixmap.
    QPixmap Glyph(int height, int index) const;
    int GlyphCount() const { return int(GlyphNames().size()); }
    // The two spreadsheet icons of 48 × 48.
    QPixmap SpreadsheetIcon(int index) const;

    // Draws the image lists again (pictures with a background on white, the 12-pixel glyphs on
    // faceColour).
    void BuildImageLists(const QColor &faceColour);

    static const QStringList &ActionImageNames();   // "CadAvaliados" … "Sobre", image index order
    static const QStringList &GlyphNames();         // glyph index order

private:
    void add(const QString &name, const QImage &image);

    QMap<QString, QPixmap> m_pictures;
    std::vector<QIcon> m_toolbarIcons;
    std::vector<QIcon> m_menuIcons;
    QMap<int, QPixmap> m_glyphLists;   // by height: one strip of all glyphs
    std::vector<QPixmap> m_spreadsheetIcons;
};

} // namespace kestrova
