#include "Unit2.h"

#include "Unit1.h"

#include "capture/VideoSource.h"
#include "capture/VideoView.h"
#include "ui/Application.h"
#include "ui/Look.h"
#include "ui/PictureBox.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

Tfrm_foto* frm_foto = nullptr;

namespace {

constexpr QSize kClientSize(231, 261);

std::unique_ptr<capture::VideoSource> makeSource()
{
    const Environment env = Form1 ? Form1->environment() : Environment();
    std::unique_ptr<capture::VideoSource> source;
    if (env.videoSource)
        source = env.videoSource();
    if (!source)
        source = std::make_unique<capture::NoDevices>();
    return source;
}

} // namespace

Tfrm_foto::Tfrm_foto(QWidget* parent) : QDialog(parent), m_source(makeSource())
{
    frm_foto = this;
    setObjectName(QStringLiteral("frm_foto"));
    setWindowTitle(QStringLiteral("Capturar Foto"));
    // No system menu and no close box: the window is left through its two buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QFont windowFont = ui::formFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPixelSize(11);
    setFont(windowFont);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setNativeMenuBar(false);
    // The bar's only item is the default one, drawn bold; its drop-down keeps the window's font.
    QFont bold = windowFont;
    bold.setBold(true);
    MainMenu1->setFont(bold);
    Devices = MainMenu1->addMenu(QStringLiteral("Selecione a WebCam"));
    Devices->setObjectName(QStringLiteral("Devices"));
    Devices->setFont(windowFont);
    const int menuHeight = MainMenu1->sizeHint().height();
    MainMenu1->setGeometry(0, 0, kClientSize.width(), menuHeight);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setGeometry(QRect(QPoint(0, menuHeight), kClientSize));

    VideoWindow = new capture::VideoView(client);
    VideoWindow->setObjectName(QStringLiteral("VideoWindow"));
    VideoWindow->setGeometry(3, 0, 225, 209);

    BitBtn3 = ui::makeButton(client, "BitBtn3", QStringLiteral("OK"), {32, 216, 83, 41},
                             ui::themeIcon("camera-photo", QStyle::SP_DialogApplyButton));
    BitBtn3->setDefault(true);
    BitBtn1 = ui::makeButton(client, "BitBtn1", QStringLiteral("Cancel"), {120, 216, 83, 41},
                             ui::standardIcon(QStyle::SP_DialogCancelButton));

    setFixedSize(kClientSize.width(), menuHeight + kClientSize.height());

    connect(BitBtn3, &QPushButton::clicked, this, [this] { ui::guarded([this] { BitBtn3Click(); }); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { ui::guarded([this] { BitBtn1Click(); }); });
    ui::guarded([this] { FormCreate(); });
}

Tfrm_foto::~Tfrm_foto()
{
    if (frm_foto == this)
        frm_foto = nullptr;
}

void Tfrm_foto::FormCreate()
{
    // The device list is made once: a webcam plugged in later shows after a restart.
    const QStringList names = m_source->devices();
    for (int i = 0; i < names.size(); ++i) {
        // A '&' in a device's name is part of the name, not a shortcut mark.
        QAction* item = Devices->addAction(QString(names.at(i)).replace(u'&', QStringLiteral("&&")));
        item->setData(i);
        connect(item, &QAction::triggered, this,
                [this, item] { ui::guarded([this, item] { DevicesItemClick(item); }); });
    }
}

void Tfrm_foto::DevicesItemClick(QAction* sender) { m_source->start(sender->data().toInt(), VideoWindow); }

void Tfrm_foto::BitBtn3Click()
{
    if (Form1) {
        ui::PictureBox* photo = Form1->Image1;
        // A file's picture (or none) gives way to an empty bitmap; a bitmap already there stays
        // unless a frame replaces it.
        if (photo->kind() != ui::PictureKind::Bitmap)
            photo->setBitmap(QImage());
        const QImage frame = m_source->latestFrame();
        if (!frame.isNull())
            photo->setBitmap(frame.convertToFormat(QImage::Format_RGB888));
    }
    close();
}

void Tfrm_foto::BitBtn1Click() { close(); }

void Tfrm_foto::FormCloseQuery(bool& canClose)
{
    m_source->stop();
    canClose = true;
}

void Tfrm_foto::done(int result)
{
    bool canClose = true;
    ui::guarded([&] { FormCloseQuery(canClose); });
    if (canClose)
        QDialog::done(result);
}

void Tfrm_foto::showEvent(QShowEvent* event)
{
    // Each opening starts black, with no device running, and in the middle of the screen.
    m_source->stop();
    ui::centreOnScreen(this);
    QDialog::showEvent(event);
}

void Tfrm_foto::keyPressEvent(QKeyEvent* event)
{
    // Esc presses "Cancel", as a cancel button does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        BitBtn1->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
