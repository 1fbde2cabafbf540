#include "Unit5.h"

#include "Artwork.h"
#include "Unit1.h"

#include "ui/Application.h"
#include "ui/Look.h"

#include <QEvent>
#include <QLabel>

Tsobre* sobre = nullptr;

Tsobre::Tsobre(QWidget* parent) : QDialog(parent)
{
    sobre = this;
    setObjectName(QStringLiteral("sobre"));
    setWindowTitle(QStringLiteral("Sovranel 3.1"));
    // Only the close box: no help, minimise or maximise button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(250, 200);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(rect()); // the whole client area; the artwork's last column is cropped
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    ui::centreOnScreen(this);
}

Tsobre::~Tsobre()
{
    if (sobre == this)
        sobre = nullptr;
}

void Tsobre::FormActivate() { setWindowTitle(QStringLiteral("Sovranel ") + VersaoDoPrograma()); }

void Tsobre::showEvent(QShowEvent* event)
{
    // The artwork is drawn the first time the box is seen, not at every start.
    if (Image1->pixmap().isNull())
        Image1->setPixmap(QPixmap::fromImage(artwork::aboutBox()));
    QDialog::showEvent(event);
}

bool Tsobre::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        ui::guarded([this] { FormActivate(); });
    return QDialog::event(event);
}
