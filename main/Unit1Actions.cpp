// The entry form's actions: clearing, exit dates, closing sentence, photo page.
#include "Unit1.h"

#include "Photo.h"
#include "Unit2.h"

#include "ui/Application.h"
#include "ui/DateField.h"
#include "ui/ListField.h"
#include "ui/OpenFileDialog.h"
#include "ui/PictureBox.h"
#include "ui/SentenceBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTabWidget>

void TForm1::wireActions()
{
    if (!m_wiring)
        m_wiring = std::make_unique<QObject>();
    // The focus coming into the page area from outside it (the buttons below the pages, a
    // dialog, or nothing at all when the window first gets the focus).
    connect(qApp, &QApplication::focusChanged, m_wiring.get(), [this](QWidget* old, QWidget* now) {
        auto inPages = [this](const QWidget* w) {
            return w && (w == PageControl1 || PageControl1->isAncestorOf(w));
        };
        if (inPages(now) && !inPages(old))
            ui::guarded([this] { PageControl1Enter(); });
    });
    connect(PageControl1, &QTabWidget::currentChanged, m_wiring.get(), [this] {
        if (PageControl1->currentWidget() == TabSheet8)
            ui::guarded([this] { TabSheet8Show(); });
    });
}

void TForm1::BitBtn4Click() { LimparCamposDeTexto(); }
void TForm1::LimparCampos1Click() { LimparCamposDeTexto(); }

void TForm1::LimparCamposDeTexto()
{
    for (const EntryControl& e : m_entries)
        if (e.kind == EntryKind::Text)
            static_cast<QLineEdit*>(e.widget)->clear();
}

void TForm1::BitBtn1Click()
{
    // The webcam window puts its picture into Image1 itself when the user confirms it.
    if (frm_foto)
        frm_foto->exec();
}

void TForm1::BitBtn2Click()
{
    const std::optional<QString> path = OpenPictureDialog1->execute(this);
    if (!path)
        return;
    // Loaded whole before the photo is touched: a file that fails leaves the old photo.
    const LoadedPicture picture = loadPicture(*path);
    Image1->setFilePicture(picture.image, picture.bytes, picture.format);
}

void TForm1::BitBtn5Click() { Image1->clear(); }

void TForm1::informar_saidaClick(int page)
{
    if (page < 1 || page > int(experiencias.size()))
        return;
    const ExperiencePage& e = experiencias[size_t(page - 1)];
    e.edt_exsaida->setEnabled(e.informar_saida->isChecked());
}

// At most one closing sentence is ticked, and the own sentence can be typed only while its
// option is. Unticking the others runs their handlers in turn (for frase4 that disables the
// sentence box again), as any change of a tick does.
static void chooseFixedSentence(TForm1& form, int chosen)
{
    QCheckBox* fixed[] = {form.frase1, form.frase2, form.frase3};
    if (!fixed[chosen - 1]->isChecked())
        return;
    form.frase->setEnabled(false);
    // The other three in order, frase4 in the place of the one chosen.
    for (int k = 1; k <= 3; ++k)
        (k == chosen ? form.frase4 : fixed[k - 1])->setChecked(false);
}

void TForm1::frase1Click() { chooseFixedSentence(*this, 1); }
void TForm1::frase2Click() { chooseFixedSentence(*this, 2); }
void TForm1::frase3Click() { chooseFixedSentence(*this, 3); }

void TForm1::frase4Click()
{
    if (!frase4->isChecked()) {
        frase->setEnabled(false);
        return;
    }
    frase->setEnabled(true);
    frase->setFocus(Qt::OtherFocusReason);
    frase1->setChecked(false);
    frase2->setChecked(false);
    frase3->setChecked(false);
}

void TForm1::PageControl1Enter() { frase->setEnabled(frase4->isChecked()); }

void TForm1::TabSheet8Show() { edt_escolaridade->setFocus(Qt::OtherFocusReason); }
