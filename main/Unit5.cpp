#include "Unit5.h"

Tsobre* sobre = nullptr;

Tsobre::Tsobre(QWidget* parent) : QDialog(parent)
{
    sobre = this;
    setObjectName(QStringLiteral("sobre"));
    setWindowTitle(QStringLiteral("Sovranel 3.1"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(250, 200);
}
