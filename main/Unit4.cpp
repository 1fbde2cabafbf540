#include "Unit4.h"

#include "Artwork.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

Tsplash* splash = nullptr;

Tsplash::Tsplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    splash = this;
    setObjectName(QStringLiteral("splash"));
    setWindowTitle(QStringLiteral("Sovranel 3.1"));
    setFixedSize(250, 198);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 252, 201);
    Image1->setPixmap(QPixmap::fromImage(artwork::splash()));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Progresso = new QProgressBar(this);
    Progresso->setObjectName(QStringLiteral("Progresso"));
    Progresso->setGeometry(8, 152, 233, 17);
    Progresso->setRange(0, 100);
    Progresso->setValue(0);
    Progresso->setTextVisible(false);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

Tsplash::~Tsplash()
{
    if (splash == this)
        splash = nullptr;
}

void Tsplash::setProgress(int position) { Progresso->setValue(position); }

void Tsplash::repaintNow() { repaint(); }
