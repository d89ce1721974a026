#include "builtin_logo.h"
#include "cad_laboratorio.h"
#include "catalog_fixture.h"
#include "novo_avaliador.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace kestrova::test {
namespace {

class LaboratoryTest : public CatalogTest
{
protected:
    std::unique_ptr<TfrmCadLaboratorio> open()
    {
        auto w = std::make_unique<TfrmCadLaboratorio>(dm(), messages, folder());
        w->setImageFileChooser([this](QWidget *) { return chosenFile; });
        w->LoadFromDatabase();
        return w;
    }
    // Saves like the window's "&Salvar" followed by the main window's store.
    bool saveAndStore(TfrmCadLaboratorio &w)
    {
        if (!w.btSalvarClick())
            return false;
        w.StoreToDatabase(w.result());
        return true;
    }
    QString picture(const char *name, int width, int height, const char *format)
    {
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(QColor(10, 120, 200, 255));
        const QString path = QDir(folder()).filePath(QString::fromLatin1(name));
        EXPECT_TRUE(image.save(path, format));
        return path;
    }
    QString ownLogo() const { return QDir(folder()).filePath(QStringLiteral("RelLogotipo.bmp")); }

    QString chosenFile;
};

TEST_F(LaboratoryTest, LogoSizeLimitAndFileKinds)
{
    auto w = open();
    struct Case
    {
        const char *file;
        int width, height;
        const char *format;
        bool accepted;
    };
    const Case cases[] = {
        {"a.png", 111, 65, "PNG", false},  {"b.png", 110, 66, "PNG", false}, {"c.png", 110, 65, "PNG", true},
        {"FOTO.JPG", 60, 40, "JPG", true}, {"e.bmp", 20, 20, "BMP", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        clearMessages();
        chosenFile = picture(c.file, c.width, c.height, c.format);
        w->imLogotipoClick();
        if (c.accepted) {
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(w->Logo().size(), QSize(c.width, c.height));
        } else {
            EXPECT_EQ(lastText(), QStringLiteral("Imagem seleciona não é válida! O tamanho da imagem não pode exceder "
                                                 "110 x 65 pixels."));
            EXPECT_NE(w->Logo().width(), c.width);
        }
    }
    clearMessages();
    QFile junk(QDir(folder()).filePath(QStringLiteral("nada.jpg")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    chosenFile = junk.fileName();
    w->imLogotipoClick();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(w->Logo().size(), QSize(20, 20));
    chosenFile.clear();
    w->imLogotipoClick();   // cancelled dialog
    EXPECT_EQ(w->Logo().size(), QSize(20, 20));
}

TEST_F(LaboratoryTest, PngIsStoredAsBitmapShownOnReopeningAndRemovable)
{
    ASSERT_TRUE(InstallBuiltInLogo(folder()));
    exec(QStringLiteral("INSERT INTO LABORATORIO (Nome, RelMargemInf) VALUES ('LAB', 10)"));
    dm().qLaboratorio.close();
    dm().qLaboratorio.open();
    {
        auto w = open();
        EXPECT_FALSE(w->LogoLoaded());
        EXPECT_FALSE(w->Logo().isNull());   // the built-in logo
        EXPECT_EQ(w->btSalvar->text(), QStringLiteral("F&echar"));
        EXPECT_TRUE(w->btCancelar->isHidden());
        chosenFile = picture("logo.png", 100, 50, "PNG");
        w->imLogotipoClick();
        EXPECT_TRUE(w->LogoLoaded());
        EXPECT_FALSE(w->btRemoverLogo->isHidden());
        EXPECT_EQ(w->btSalvar->text(), QStringLiteral("&Salvar"));
        EXPECT_FALSE(w->btCancelar->isHidden());
        ASSERT_TRUE(saveAndStore(*w));
        EXPECT_EQ(w->result(), int(TfrmCadLaboratorio::ResultYes));
    }
    QImageReader reader(ownLogo());
    EXPECT_EQ(reader.format(), QByteArray("bmp"));
    EXPECT_EQ(reader.size(), QSize(100, 50));
    {
        auto w = open();
        EXPECT_TRUE(w->LogoLoaded());
        EXPECT_FALSE(w->btRemoverLogo->isHidden());
        EXPECT_EQ(w->Logo().size(), QSize(100, 50));
        w->btRemoverLogoClick();
        EXPECT_TRUE(w->btRemoverLogo->isHidden());
        ASSERT_TRUE(saveAndStore(*w));
    }
    EXPECT_FALSE(QFile::exists(ownLogo()));
    {
        auto w = open();
        EXPECT_FALSE(w->LogoLoaded());
        EXPECT_EQ(w->Logo().size(), QSize(110, 65));   // the built-in logo again
    }

    // An own logo file that is no picture leaves the picture empty; the built-in one is not shown.
    QFile broken(ownLogo());
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("no picture");
    broken.close();
    auto w = open();
    EXPECT_FALSE(w->LogoLoaded());
    EXPECT_TRUE(w->Logo().isNull());
    EXPECT_TRUE(w->imLogotipo->pixmap().isNull());
    EXPECT_TRUE(w->btRemoverLogo->isHidden());
}

TEST_F(LaboratoryTest, MarginMustLieBetween10And21)
{
    struct Case
    {
        const char *typed;
        bool accepted;
        const char *shown;
    };
    for (const Case c : {Case{"9,99", false, "9,99"}, Case{"21,01", false, "21,01"}, Case{"10", true, "10,00"},
                         Case{"21", true, "21,00"}}) {
        SCOPED_TRACE(c.typed);
        clearMessages();
        auto w = open();
        w->cpMargemInf->clear();
        TypeText(w->cpMargemInf, QString::fromLatin1(c.typed) + QStringLiteral("x"));
        w->cpMargemInfExit();
        EXPECT_EQ(w->cpMargemInf->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(saveAndStore(*w), c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(open()->cpMargemInf->text(), QString::fromLatin1(c.shown));
        } else {
            EXPECT_EQ(lastText(), QStringLiteral("A Margem Inferior informada não é válida!"));
            w->StoreToDatabase(TfrmCadLaboratorio::ResultCancel);
        }
    }
}

TEST_F(LaboratoryTest, UntouchedWindowWritesNothingAndSavedOneCreatesTheRow)
{
    {
        auto w = open();
        ASSERT_TRUE(saveAndStore(*w));
        EXPECT_EQ(w->result(), int(TfrmCadLaboratorio::ResultOK));
    }
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM LABORATORIO")).toInt(), 0);
    {
        auto w = open();
        TypeText(w->cpNome, QStringLiteral("Lab"));
        w->cpRodape->setText(QStringLiteral("rodapé"));
        ASSERT_TRUE(saveAndStore(*w));
    }
    EXPECT_EQ(scalar(QStringLiteral("SELECT Nome || '/' || RelRodape || '/' || RelMargemInf FROM LABORATORIO"))
                  .toString(),
              QStringLiteral("Lab/rodapé/10.0"));
}

TEST_F(LaboratoryTest, EvaluatorsAndTheDefaultEvaluator)
{
    exec(QStringLiteral("INSERT INTO LABORATORIO (Nome, AvaliadorPadrao, RelMargemInf) VALUES ('LAB', 7, 12)"));
    dm().qLaboratorio.close();
    dm().qLaboratorio.open();
    auto w = open();
    EXPECT_FALSE(w->btAlterar->isEnabled());
    w->evaluatorDialog()->run = [&](CatalogDialog &d) {
        auto &e = static_cast<TfrmNovoAvaliador &>(d);
        EXPECT_EQ(e.windowTitle(), QStringLiteral("Novo Avaliador"));
        TypeText(e.cpNome, QStringLiteral("carla"));
        e.Confirm();
        return e.result();
    };
    w->btInserir->click();
    EXPECT_EQ(w->cpAvaliadorPadrao->count(), 2);
    EXPECT_EQ(w->cpAvaliadorPadrao->currentText(), QStringLiteral("CARLA"));   // the only one
    EXPECT_TRUE(w->btExcluir->isEnabled());

    w->evaluatorDialog()->run = [&](CatalogDialog &d) {
        auto &e = static_cast<TfrmNovoAvaliador &>(d);
        e.cpNome->setText(QStringLiteral("BRUNO"));
        e.Confirm();
        return e.result();
    };
    w->btInserir->click();
    EXPECT_EQ(w->cpAvaliadorPadrao->itemText(1), QStringLiteral("BRUNO"));   // sorted, the empty entry first
    EXPECT_EQ(w->cpAvaliadorPadrao->currentIndex(), -1);                     // 7 is nobody

    addEvaluation(1, 1, 0, 1, QStringLiteral("1"));
    ASSERT_TRUE(dm().qAvaliadores.locate(QStringLiteral("Avaliador"), 1));
    w->btExcluir->click();
    EXPECT_TRUE(lastText().startsWith(QStringLiteral("Existem Avaliações deste Avaliador")));
    ASSERT_TRUE(dm().qAvaliadores.locate(QStringLiteral("Avaliador"), 2));
    PressKey(w->dbAvaliadores, Qt::Key_Delete);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AVALIADORES")).toInt(), 1);
    EXPECT_EQ(w->cpAvaliadorPadrao->currentText(), QStringLiteral("CARLA"));

    w->cpAvaliadorPadrao->setCurrentIndex(0);   // the empty entry keeps the stored number
    emit w->cpAvaliadorPadrao->activated(0);
    ASSERT_TRUE(saveAndStore(*w));
    EXPECT_EQ(scalar(QStringLiteral("SELECT AvaliadorPadrao FROM LABORATORIO")).toInt(), 7);

    auto again = open();
    again->cpAvaliadorPadrao->setCurrentIndex(again->cpAvaliadorPadrao->findText(QStringLiteral("CARLA")));
    emit again->cpAvaliadorPadrao->activated(1);
    ASSERT_TRUE(saveAndStore(*again));
    EXPECT_EQ(scalar(QStringLiteral("SELECT AvaliadorPadrao FROM LABORATORIO")).toInt(), 1);
}

TEST(BuiltInLogo, IsPlacedOnceAndNeverOverwritten)
{
    QTemporaryDir dir;
    const QString target = QDir(dir.path()).filePath(QStringLiteral("conf/RelLogotipoTavrel.jpg"));
    ASSERT_TRUE(InstallBuiltInLogo(QDir(dir.path()).filePath(QStringLiteral("conf"))));
    QImageReader reader(target);
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    EXPECT_EQ(reader.size(), QSize(110, 65));
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("mine");
    f.close();
    EXPECT_TRUE(InstallBuiltInLogo(QDir(dir.path()).filePath(QStringLiteral("conf"))));
    QFile check(target);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray("mine"));
}

} // namespace
} // namespace kestrova::test
