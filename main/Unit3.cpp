#include "Unit3.h"

TCurriculo* Curriculo = nullptr;

TCurriculo::TCurriculo(QObject* parent) : QObject(parent)
{
    Curriculo = this;
    setObjectName(QStringLiteral("Curriculo"));
}

TCurriculo::~TCurriculo()
{
    if (Curriculo == this)
        Curriculo = nullptr;
}
