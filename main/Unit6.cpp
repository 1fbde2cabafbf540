#include "Unit6.h"

Timpressao* impressao = nullptr;

Timpressao::Timpressao(QWidget* parent) : QDialog(parent)
{
    impressao = this;
    setObjectName(QStringLiteral("impressao"));
    setWindowTitle(QStringLiteral("Configure o estilo do seu Curriculo!"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(584, 324);
}
