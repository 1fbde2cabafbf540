#include "Unit7.h"

Tfrm_salvar* frm_salvar = nullptr;

Tfrm_salvar::Tfrm_salvar(QWidget* parent) : QDialog(parent)
{
    frm_salvar = this;
    setObjectName(QStringLiteral("frm_salvar"));
    setWindowTitle(QStringLiteral("Onde salvar o seu Curriculo?"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(258, 327);
}
