#pragma once

// Chart settings: which curves the live chart of the next test shows.

#include <QDialog>

#include <array>

class QCheckBox;
class QPushButton;

namespace kestrova {

class TfrmConfGrafico : public QDialog
{
    Q_OBJECT
public:
    // configPath: the configuration file (the program's kestrova.conf when empty).
    explicit TfrmConfGrafico(QWidget *parent = nullptr, const QString &configPath = QString());

    // Opened by the main window's "&Gráfico" action: shown modally, freed afterwards.
    static int execute(QWidget *parent);

    // True when at least one curve is chosen (the rule behind "&Confirmar").
    static bool CanConfirm(const std::array<bool, 5> &ticked);

private:
    void FormCreate();
    void cpClick();
    void btConfirmarClick();

    QString m_configPath;
    std::array<QCheckBox *, 5> m_boxes {};
    QPushButton *m_btConfirmar = nullptr;
    QPushButton *m_btCancelar = nullptr;
};

} // namespace kestrova
