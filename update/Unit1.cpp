#include "Unit1.h"

#include "Artwork.h"
#include "InstalledFiles.h"
#include "Unit2.h"

#include "net/ProgramStarter.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/Look.h"
#include "webupdate/TargetFolder.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <limits>

Tform_MainWindow* form_MainWindow = nullptr;

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, QPoint place)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    // Most of these show what the information page says: plain text, never markup.
    l->setTextFormat(Qt::PlainText);
    l->move(place);
    l->adjustSize();
    return l;
}

// A label keeps its place and grows to the right with its caption.
void setCaption(QLabel* label, const QString& caption)
{
    label->setText(caption);
    label->adjustSize();
}

} // namespace

static void loadResources() { Q_INIT_RESOURCE(update); }

QUrl updatePageUrl()
{
    return QUrl(QStringLiteral("http://%1/sovranel/update.htm").arg(QStringLiteral(SOVRANEL_UPDATE_HOST)));
}

Tform_MainWindow::Tform_MainWindow(QWidget* parent) : QWidget(parent)
{
    loadResources();
    form_MainWindow = this;
    setObjectName(QStringLiteral("form_MainWindow"));
    buildForm();
    wireEvents();
    ui::guarded([this] { FormCreate(); });
}

Tform_MainWindow::~Tform_MainWindow()
{
    mxWebUpdate.abort();
    if (form_MainWindow == this)
        form_MainWindow = nullptr;
}

void Tform_MainWindow::buildForm()
{
    setWindowTitle(QStringLiteral("Sovranel - Atualizador"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(352, 192);
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPixelSize(11);
    setFont(windowFont);
    setWindowIcon(QIcon(QPixmap::fromImage(artwork::updateIcon())));

    grp_ComponentUpdate = new QGroupBox(QStringLiteral("Atualização:"), this);
    grp_ComponentUpdate->setObjectName(QStringLiteral("grp_ComponentUpdate"));
    grp_ComponentUpdate->setGeometry(9, 8, 336, 129);
    QWidget* box = grp_ComponentUpdate;

    Label1 = makeLabel(box, "Label1", QStringLiteral("Aplicativo"), {10, 24});
    Label4 = makeLabel(box, "Label4", QStringLiteral("Autor:"), {10, 40});
    Label5 = makeLabel(box, "Label5", QStringLiteral("E-mail:"), {10, 56});
    lbl_ProductName = makeLabel(box, "lbl_ProductName", QStringLiteral(" "), {63, 24});
    lbl_Author = makeLabel(box, "lbl_Author", QStringLiteral(" "), {63, 40});
    lbl_Email = makeLabel(box, "lbl_Email", QStringLiteral(" "), {63, 56});

    Bevel = new QFrame(box);
    Bevel->setObjectName(QStringLiteral("Bevel"));
    Bevel->setGeometry(8, 72, 321, 9);
    Bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    // The line lies along the top edge of the bevel's place.
    Bevel->setContentsMargins(0, 0, 0, 7);

    lbl_File = makeLabel(box, "lbl_File", QString(), {8, 78});

    Image1 = new QLabel(box);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(272, 8, 57, 57);
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap::fromImage(artwork::updateIcon()));

    ProgressBar = new QProgressBar(box);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setGeometry(8, 96, 321, 24);
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);

    btn_Update = ui::makeButton(this, "btn_Update", QStringLiteral("Atualizar"), {64, 144, 107, 41},
                                ui::themeIcon("software-update-available", QStyle::SP_BrowserReload), 24);
    btn_Exit = ui::makeButton(this, "btn_Exit", QStringLiteral("Desconectar"), {176, 144, 107, 41},
                              ui::themeIcon("network-offline", QStyle::SP_DialogCloseButton), 24);

    ui::applySkin(this, QStringLiteral(":/update/skin.qss"));
    ui::centreOnScreen(this);
}

void Tform_MainWindow::wireEvents()
{
    connect(btn_Update, &QPushButton::clicked, this, [this] { ui::guarded([this] { BitBtn1Click(); }); });
    connect(btn_Exit, &QPushButton::clicked, this, [this] { ui::guarded([this] { btn_ExitClick(); }); });

    webupdate::UpdateCheck& u = mxWebUpdate;
    u.productInfo.url = updatePageUrl();
    u.productInfo.version = QStringLiteral("0");
    u.owner = this;
    u.refusedNames = installedFileNames();
    u.publicKey = QByteArrayLiteral(SOVRANEL_UPDATE_KEY);
    u.onBeforeGetInfo = [this] { mxWebUpdateBeforeGetInfo(); };
    u.onAfterGetInfo = [this] { mxWebUpdateAfterGetInfo(); };
    u.onDownloadError = [this] { mxWebUpdateDownloadError(); };
    u.onNoUpdateFound = [this] { mxWebUpdateNoUpdateFound(); };
    u.onUpdateAvailable = [this](const QString& actual, const QString& published, bool& canUpdate) {
        mxWebUpdateUpdateAvailable(actual, published, canUpdate);
    };
    u.onBeforeShowInfo = [this](bool& showInfo, bool& checkForUpdate) {
        mxWebUpdateBeforeShowInfo(showInfo, checkForUpdate);
    };
    u.onAfterShowInfo = [this](bool checkForUpdate) { mxWebUpdateAfterShowInfo(checkForUpdate); };
    u.onGetClientFileName = [this](QString& fileName) { mxWebUpdateGetClientFileName(fileName); };
    u.onClientFileExists = [this](QString& fileName, bool& overwrite) {
        mxWebUpdateClientFileExists(fileName, overwrite);
    };
    u.onBeforeDownload = [this](const QString& fileName) { mxWebUpdateBeforeDownload(fileName); };
    u.onDownload = [this](qint64 total, qint64 downloaded) { mxWebUpdateDownload(total, downloaded); };
    u.onAfterDownload = [this](const QString& fileName, bool succeeded) {
        mxWebUpdateAfterDownload(fileName, succeeded);
    };
    // A file the desktop cannot open is left where it is, without a word.
    u.onCannotExecute = nullptr;
}

void Tform_MainWindow::FormCreate()
{
    // Installed for the whole system, the own folder is not the user's to write: the update then
    // goes to the user's download folder.
    mxWebUpdate.targetFolder =
        webupdate::updateFolder(QDir(QCoreApplication::applicationDirPath()).absolutePath()) +
        QLatin1Char('/');
}

void Tform_MainWindow::BitBtn1Click() { mxWebUpdate.check(); }

void Tform_MainWindow::btn_ExitClick() { close(); }

void Tform_MainWindow::FormClose()
{
    // Whatever ends the updater gives the résumé program back; whether it started is not ours
    // to report.
    net::startProgram(net::executableName(QStringLiteral("Sovranel")));
}

void Tform_MainWindow::closeEvent(QCloseEvent* event)
{
    ui::guarded([this] { FormClose(); });
    // A check still running ends quietly, and its message window goes with it.
    mxWebUpdate.abort();
    if (Form_Message)
        Form_Message->hide();
    event->accept();
}

void Tform_MainWindow::mxWebUpdateBeforeGetInfo()
{
    Form_Message->panel_message->setText(QStringLiteral("Verificando se há atualizações..."));
    Form_Message->show();
    Form_Message->raise();
    Form_Message->repaint();
}

void Tform_MainWindow::mxWebUpdateAfterGetInfo()
{
    const webupdate::PageInfo& info = mxWebUpdate.info();
    setCaption(lbl_ProductName, info.productName);
    setCaption(lbl_Author, info.author);
    setCaption(lbl_Email, info.email);
    Form_Message->hide();
}

void Tform_MainWindow::mxWebUpdateDownloadError()
{
    const bool badSignature = mxWebUpdate.failure() == webupdate::UpdateCheck::Failure::Signature;
    ui::messageDlg(badSignature ? QStringLiteral("A atualização não tem uma assinatura válida.")
                                : QStringLiteral("Não foi possível baixar a atualização."),
                   ui::DialogKind::Error, int(ui::DialogButton::Ok));
}

void Tform_MainWindow::mxWebUpdateNoUpdateFound()
{
    ui::messageDlg(QStringLiteral("Nenhuma atualização disponível!"), ui::DialogKind::Error,
                   int(ui::DialogButton::Ok));
}

void Tform_MainWindow::mxWebUpdateUpdateAvailable(const QString&, const QString&, bool& canUpdate)
{
    canUpdate =
        ui::messageDlg(QStringLiteral("Uma nova versão está disponível \r\nGostaria de atualizar agora?"),
                       ui::DialogKind::Warning,
                       int(ui::DialogButton::Yes) | int(ui::DialogButton::No)) == ui::DialogButton::Yes;
}

void Tform_MainWindow::mxWebUpdateBeforeShowInfo(bool& showInfo, bool&) { showInfo = true; }

void Tform_MainWindow::mxWebUpdateAfterShowInfo(bool) {}

void Tform_MainWindow::mxWebUpdateGetClientFileName(QString&)
{
    QString text = QStringLiteral("A atualização será feita.");
    // Where the own folder may not be written, the user is told where the file goes instead.
    if (!webupdate::isWritableFolder(QCoreApplication::applicationDirPath()))
        text += QStringLiteral("\r\nO arquivo será baixado na pasta %1.")
                    .arg(QDir::toNativeSeparators(QDir(mxWebUpdate.targetFolder).absolutePath()));
    ui::messageDlg(text, ui::DialogKind::Information, int(ui::DialogButton::Ok));
}

void Tform_MainWindow::mxWebUpdateClientFileExists(QString&, bool&) {}

void Tform_MainWindow::mxWebUpdateBeforeDownload(const QString& fileName)
{
    setCaption(lbl_File, QStringLiteral("Baixando arquivo %1").arg(QFileInfo(fileName).fileName()));
}

void Tform_MainWindow::mxWebUpdateDownload(qint64 total, qint64 downloaded)
{
    // The bar counts in ints; a file past 2 GiB is shown in coarser steps.
    int shift = 0;
    while ((total >> shift) > std::numeric_limits<int>::max())
        ++shift;
    ProgressBar->setMaximum(int(total >> shift));
    ProgressBar->setValue(int(downloaded >> shift));
}

void Tform_MainWindow::mxWebUpdateAfterDownload(const QString&, bool succeeded)
{
    if (succeeded)
        ui::messageDlg(QStringLiteral("A atualização foi baixada."), ui::DialogKind::Information,
                       int(ui::DialogButton::Ok));
}
