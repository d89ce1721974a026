#pragma once

// TfrmSobre: the About window.

#include <QDialog>

namespace kestrova {

class TfrmImagens;

class TfrmSobre final : public QDialog
{
public:
    TfrmSobre(const TfrmImagens &images, const QString &version, QWidget *parent = nullptr);
};

} // namespace kestrova
