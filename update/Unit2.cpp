#include "Unit2.h"

#include "ui/Look.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

TForm_Message* Form_Message = nullptr;

static void loadResources() { Q_INIT_RESOURCE(update); }

TForm_Message::TForm_Message(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    loadResources();
    Form_Message = this;
    setObjectName(QStringLiteral("Form_Message"));
    setFixedSize(214, 78);
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPixelSize(11);
    setFont(windowFont);

    panel_message = new QLabel(this);
    panel_message->setObjectName(QStringLiteral("panel_message"));
    panel_message->setGeometry(rect());
    panel_message->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel_message->setLineWidth(1);
    panel_message->setTextFormat(Qt::PlainText);
    panel_message->setAlignment(Qt::AlignCenter);
    panel_message->setAutoFillBackground(true);

    ui::applySkin(this, QStringLiteral(":/update/skin.qss"));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TForm_Message::~TForm_Message()
{
    if (Form_Message == this)
        Form_Message = nullptr;
}
