#include "webupdate/InfoWindow.h"

#include "net/NetworkFetcher.h"
#include "net/WebView.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QNetworkAccessManager>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace webupdate {
namespace {

const QSize kOuterSize(530, 453);

void centre(QWidget* window)
{
    if (const QScreen* screen = window->screen())
        window->move(screen->availableGeometry().center() - window->frameGeometry().center() + window->pos());
}

} // namespace

InfoWindow::InfoWindow(const InfoCaptions& captions, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frm_ShowInfoUpdate"));
    setWindowTitle(QStringLiteral("mxWebUpdate"));
    setSizeGripEnabled(true);

    // A network stack of the window's own, without a disk cache: the page is always fetched
    // fresh, and the updater leaves no cache behind that the résumé program's purge cannot see.
    browser = new net::WebView(net::networkFetcher(new QNetworkAccessManager(this)), this);
    browser->setObjectName(QStringLiteral("browser"));
    checkBox = new QCheckBox(captions.checkForUpdate, this);
    checkBox->setObjectName(QStringLiteral("chk_CheckForUpdate"));
    checkBox->setChecked(true);
    okButton = new QPushButton(captions.okButton, this);
    okButton->setObjectName(QStringLiteral("btn_OK"));
    okButton->setDefault(true);
    cancelButton = new QPushButton(captions.cancelButton, this);
    cancelButton->setObjectName(QStringLiteral("btn_Cancel"));
    for (QPushButton* b : {okButton, cancelButton})
        b->setFixedSize(75, 25);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    // The buttons stay centred, 3 px apart, whatever the window's width.
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(3);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 6);
    layout->setSpacing(4);
    layout->addWidget(browser, 1);
    layout->addWidget(checkBox);
    layout->addLayout(buttons);

    resize(kOuterSize);
}

void InfoWindow::navigate(const QUrl& page) { browser->navigate(page); }

bool InfoWindow::checkForUpdate() const { return checkBox->isChecked(); }

void InfoWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    centre(this);
    // The size is the outer one: once the window manager has framed the window, take the frame
    // off the client area and centre again.
    QTimer::singleShot(0, this, [this] {
        const QSize frame = frameGeometry().size() - geometry().size();
        if (frame == QSize(0, 0))
            return;
        resize(kOuterSize - frame);
        centre(this);
    });
}

} // namespace webupdate
