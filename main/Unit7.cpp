#include "Unit7.h"

#include "DialogParts.h"
#include "Unit1.h"
#include "Unit3.h"
#include "Unit6.h"

#include "report/ReportFile.h"
#include "ui/Application.h"

#include "ui/ColourBox.h"
#include "ui/Dialogs.h"
#include "ui/DriveList.h"
#include "ui/FolderList.h"
#include "ui/Glyphs.h"
#include "ui/Look.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <exception>
#include <map>

Tfrm_salvar* frm_salvar = nullptr;

using namespace dialogparts;

namespace {

// Where "Salvar" puts its progress bar after each stage of the filling; stages not listed
// leave it where it is.
const std::map<FillStage, int> kSaveProgress = {
    {FillStage::Font, 40},        {FillStage::Colour, 50},      {FillStage::Photo, 55},
    {FillStage::Experience1, 60}, {FillStage::Experience2, 65}, {FillStage::Experience3, 70},
    {FillStage::Experience4, 75}, {FillStage::Experience5, 80}, {FillStage::Schooling, 82},
    {FillStage::Course1, 85},     {FillStage::Course2, 87},     {FillStage::Course3, 90},
    {FillStage::Course4, 91},     {FillStage::Course5, 92},
};

} // namespace

Tfrm_salvar::Tfrm_salvar(QWidget* parent) : QDialog(parent)
{
    frm_salvar = this;
    setObjectName(QStringLiteral("frm_salvar"));
    setWindowTitle(QStringLiteral("Onde salvar o seu Curriculo?"));
    // A sizeable frame without a system menu or a close box: only the two buttons close it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    resize(250, 300);
    setMinimumSize(250, 300);
    const QFont windowFont = sansSerif(11);
    setFont(windowFont);

    Label1 = label(this, "Label1", {8, 8}, QStringLiteral("Escolha um HD ou Pen Drive."), windowFont);

    DriveComboBox1 = place<ui::DriveList>(this, "DriveComboBox1", {8, 24, 145, 22});
    DriveComboBox1->setFont(sansSerif(13));

    Label2 =
        label(this, "Label2", {8, 56}, QStringLiteral("Escolha a pasta onde deseja salvar."), windowFont);

    // It opens on the working folder, and the drive list follows it.
    lista = place<ui::FolderList>(this, "lista", {8, 72, 233, 177});
    lista->setCursor(Qt::PointingHandCursor);
    DriveComboBox1->setFolderList(lista);

    BitBtn1 = place<QPushButton>(this, "BitBtn1", {32, 256, 91, 33});
    BitBtn1->setText(QStringLiteral("Salvar"));
    BitBtn1->setIcon(ui::themeIcon("media-floppy", QStyle::SP_DialogSaveButton));
    BitBtn1->setIconSize(QSize(24, 24));
    BitBtn1->setCursor(Qt::PointingHandCursor);

    BitBtn2 = place<QPushButton>(this, "BitBtn2", {128, 256, 89, 33});
    BitBtn2->setText(QStringLiteral("Cancelar"));
    BitBtn2->setIcon(ui::cancelGlyph());
    BitBtn2->setIconSize(QSize(24, 24));
    BitBtn2->setCursor(Qt::PointingHandCursor);

    // Neither button is the default: Enter belongs to the folder list, which opens a folder.
    for (QPushButton* b : {BitBtn1, BitBtn2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    // Made last, so that when shown it lies over both buttons.
    progresso = place<QProgressBar>(this, "progresso", {10, 256, 231, 33});
    progresso->setRange(0, 100);
    progresso->setValue(0);
    progresso->setVisible(false);

    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, lista);
    setTabOrder(lista, DriveComboBox1);

    connect(BitBtn1, &QPushButton::clicked, this, ui::guard(this, &Tfrm_salvar::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, ui::guard(this, &Tfrm_salvar::BitBtn2Click));
}

QString Tfrm_salvar::reportFileName(const QString& folder, const QString& name)
{
    return folder + QDir::separator() + name + QStringLiteral(".QRP");
}

QString Tfrm_salvar::reportFileName() const
{
    return reportFileName(lista->folder(), Form1->edt_nome->text());
}

void Tfrm_salvar::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        // A pen drive may have come or gone, and the folder's subfolders changed, since last time.
        DriveComboBox1->setVolumes(ui::DriveList::systemVolumes());
        lista->refresh();
    }
    QDialog::showEvent(event);
}

void Tfrm_salvar::keyPressEvent(QKeyEvent* event)
{
    // Only the two buttons close the dialog: Esc does not.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Tfrm_salvar::setProgress(int position)
{
    progresso->setValue(position);
    progresso->repaint();
}

void Tfrm_salvar::endProgress()
{
    progresso->setValue(0);
    progresso->setVisible(false);
}

void Tfrm_salvar::BitBtn1Click()
{
    const QString name = Form1->edt_nome->text();
    // A separator in the name would put the file in another folder than the one chosen.
    if (name.contains(QLatin1Char('/')) || name.contains(QDir::separator())) {
        ui::showMessage(
            QStringLiteral("O nome \"%1\" contém uma barra (%2), que não pode fazer parte do nome de um "
                           "arquivo. Corrija o nome na aba \"Dados Principais\" e salve de novo.")
                .arg(name, QString(QDir::separator())));
        return;
    }
    const QString file = reportFileName();
    progresso->setVisible(true);
    progresso->raise();
    setProgress(20);
    try {
        FillOptions options;
        options.fontName = impressao->fonte->text();
        options.colour = impressao->cor->selectedColour();
        options.colourTargets = FillOptions::ColourTargets::SectionLines;
        options.setPageCounter = false;
        options.layout = impressao->layout();
        options.progress = [this](FillStage stage) {
            const auto it = kSaveProgress.find(stage);
            if (it != kSaveProgress.end())
                setProgress(it->second);
        };
        // The title names this person, not whoever the last preview was made for.
        Form1->prepareResume(options);
        report::saveReportFile(Form1->filledReport().prepare(), file);
    } catch (const std::exception& e) {
        // The dialog stays usable: the buttons come back and the person can choose again.
        endProgress();
        ui::showErrorBox(QString::fromUtf8(e.what()));
        return;
    }
    setProgress(95);
    endProgress();
    accept();
}

void Tfrm_salvar::BitBtn2Click() { reject(); }
