#include "Unit2.h"

Tfrm_foto* frm_foto = nullptr;

Tfrm_foto::Tfrm_foto(QWidget* parent) : QDialog(parent)
{
    frm_foto = this;
    setObjectName(QStringLiteral("frm_foto"));
    setWindowTitle(QStringLiteral("Capturar Foto"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(231, 261);
}
