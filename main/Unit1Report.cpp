// The main window's commands that generate the résumé, and the filling they share with the
// style and save dialogs.
#include "Unit1.h"

#include "ModernTemplate.h"
#include "Unit3.h"
#include "Unit6.h"

#include "report/PreviewWindow.h"
#include "ui/DateField.h"
#include "ui/Dialogs.h"
#include "ui/ListField.h"
#include "ui/PhoneEdit.h"
#include "ui/PictureBox.h"
#include "ui/SentenceBox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>

#include <map>

namespace {

// Where the generation command puts its progress bar after each stage of the filling;
// stages not listed leave it where it is.
const std::map<FillStage, int> kGenerationProgress = {
    {FillStage::Font, 10},        {FillStage::Colour, 15},      {FillStage::PageCounter, 20},
    {FillStage::Identity, 25},    {FillStage::Photo, 30},       {FillStage::Experience1, 35},
    {FillStage::Experience2, 40}, {FillStage::Experience3, 45}, {FillStage::Experience4, 50},
    {FillStage::Experience5, 55}, {FillStage::Course5, 70},     {FillStage::Information, 90},
};

FillStage after(FillStage first, int index) { return FillStage(int(first) + index); }

// The report font, colour and page counter the options ask for.
void styleClassic(TCurriculo& c, const FillOptions& options)
{
    report::Report& r = c.report();
    // The labels that take the font and colour themselves; the others follow the report font.
    const std::initializer_list<report::Label*> styled = {
        c.titulo, c.titulo2,     c.titulo3,   c.titulo4,   c.titulo5,      c.nome,  c.nascimento,
        c.sexo,   c.ec,          c.telefone1, c.telefone2, c.naturalidade, c.email, c.rua,
        c.numero, c.complemento, c.bairro,    c.cidade,    c.uf,
    };

    // Font name; the page footer keeps Arial.
    r.setFontFamily(options.fontName);
    for (report::Label* l : styled)
        l->setFontFamily(options.fontName);
    options.mark(FillStage::Font);

    // Colour; the photograph keeps its own.
    const bool all = options.colourTargets == FillOptions::ColourTargets::All;
    for (size_t i = 0; i < (all ? c.linhas.size() : 5); ++i)
        c.linhas[i]->pen = options.colour;
    if (all)
        for (report::Label* l : {c.txt1, static_cast<report::Label*>(c.txt2), c.txt3, c.txt4, c.sovranel})
            l->setColour(options.colour);
    r.frameColour = options.colour;
    r.setFontColour(options.colour);
    for (report::Label* l : styled)
        l->setColour(options.colour);
    options.mark(FillStage::Colour);

    if (options.setPageCounter)
        for (report::Label* l : {c.txt1, static_cast<report::Label*>(c.txt2), c.txt3, c.txt4})
            l->enabled = options.pageCounter;
    options.mark(FillStage::PageCounter);
}

// The title band: always written, nothing of it hidden.
void fillIdentity(const TForm1& f, TCurriculo& c)
{
    c.nome->caption = f.edt_nome->text();
    c.nascimento->caption = f.edt_nasc->shortText();
    c.sexo->caption = f.edt_sexo->text();
    c.ec->caption = f.edt_ec->text();
    // A phone left empty prints nothing, and the "/" only stands between two numbers.
    const QString tel1 = ui::PhoneEdit::printed(f.edt_tel1->value());
    const QString tel2 = ui::PhoneEdit::printed(f.edt_tel2->value());
    c.telefone1->caption = tel1.isEmpty() ? tel2 : tel1;
    c.barra->caption = tel1.isEmpty() || tel2.isEmpty() ? QString() : QStringLiteral("/");
    c.telefone2->caption = tel1.isEmpty() ? QString() : tel2;
    c.naturalidade->caption = f.edt_natural->text();
    c.email->caption = f.edt_email->text();
    c.rua->caption = f.edt_rua->text();
    c.numero->caption = f.edt_numero->text();
    c.complemento->caption = f.edt_complemento->text();
    c.bairro->caption = f.edt_bairro->text();
    c.cidade->caption = f.edt_cidade->text();
    c.uf->caption = f.edt_uf->text();
}

// One band per experience typed in, each ticked off as it is filled.
void fillExperiences(const TForm1& f, TCurriculo& c, const FillOptions& options)
{
    for (size_t i = 0; i < c.experiencias.size(); ++i) {
        const ExperiencePage& page = f.experiencias[i];
        ExperienceBlock& block = c.experiencias[i];
        block.subexperiencia->enabled = !page.edt_exnome->text().isEmpty();
        if (block.subexperiencia->enabled) {
            block.empresa->caption = page.edt_exnome->text();
            block.cargo->caption = page.edt_excargo->text();
            block.admissao->caption = page.edt_exentrada->shortText();
            const bool exit = page.informar_saida->isChecked();
            block.demissaoTitulo()->enabled = exit;
            block.demissao->caption = exit ? page.edt_exsaida->shortText() : QString();
            block.tel->caption = ui::PhoneEdit::printed(page.edt_extelefone->value());
            block.obs->caption = page.edt_exobs->text();
        }
        options.mark(after(FillStage::Experience1, int(i)));
    }
}

// The schooling band, shown when a level is chosen.
void fillSchooling(const TForm1& f, TCurriculo& c)
{
    c.subescolaridade->enabled = !f.edt_escolaridade->text().isEmpty();
    if (c.subescolaridade->enabled) {
        c.escolaridade->caption = f.edt_escolaridade->text();
        c.descricao->caption = f.edt_curso->text();
        c.escola->caption = f.edt_escola->text();
    }
}

// One band per course typed in, each ticked off as it is filled.
void fillCourses(const TForm1& f, TCurriculo& c, const FillOptions& options)
{
    for (size_t i = 0; i < c.cursos.size(); ++i) {
        const CoursePage& page = f.cursos[i];
        CourseBlock& block = c.cursos[i];
        block.subcurso->enabled = !page.edt_cucurso->text().isEmpty();
        if (block.subcurso->enabled) {
            block.cudescricao->caption = page.edt_cucurso->text();
            block.cuobs->caption = page.edt_cuobs->text();
            block.cuescola->caption = page.edt_cuescola->text();
            block.cuduracao->caption = page.edt_cuduracao->text();
        }
        options.mark(after(FillStage::Course1, int(i)));
    }
}

// Additional information: the heading shows when any item does. The voter card goes with
// the work book, the taxpayer number with the identity card.
void fillInformation(const TForm1& f, TCurriculo& c)
{
    c.subinformacoes->enabled = false;
    struct Item {
        QLineEdit* key;
        report::Band* band;
        report::Label* value;
        QLineEdit* pairedField;
        report::Label* paired;
    };
    const Item items[] = {
        {f.edt_cp, c.subcp, c.cp, f.edt_te, c.te},
        {f.edt_rg, c.subrg, c.rg, f.edt_cpf, c.cpf},
        {f.edt_cargo, c.subcargo, c.cargop, nullptr, nullptr},
        {f.edt_salario, c.subsalario, c.sp, nullptr, nullptr},
    };
    for (const Item& item : items) {
        item.band->enabled = !item.key->text().isEmpty();
        if (!item.band->enabled)
            continue;
        c.subinformacoes->enabled = true;
        item.value->caption = item.key->text();
        if (item.paired)
            item.paired->caption = item.pairedField->text();
    }
}

// Closing sentence: the one ticked, or what the report already holds.
void fillSentence(const TForm1& f, TCurriculo& c)
{
    for (QCheckBox* option : {f.frase1, f.frase2, f.frase3, f.frase4})
        if (option->isChecked())
            c.frase->caption = option == f.frase4 ? f.frase->text() : option->text();
}

} // namespace

void TForm1::GerarCurrculo1Click()
{
    const ui::DialogButton answer = ui::askYesNo(
        QStringLiteral("Configurações Avançadas"),
        QStringLiteral("Gostaria de configurar cores e estilo do seu Currículo?"), ui::DialogButton::Yes);
    if (answer == ui::DialogButton::Yes) {
        impressao->exec();
        return;
    }
    Progresso->setVisible(true);
    Progresso->setValue(0);
    Progresso->setValue(5);
    FillOptions options;
    options.progress = [this](FillStage stage) {
        const auto it = kGenerationProgress.find(stage);
        if (it != kGenerationProgress.end())
            Progresso->setValue(it->second);
    };
    prepareResume(options);
    Progresso->setValue(100);
    VisualizarCurriculo();
    Progresso->setVisible(false);
}

void TForm1::BitBtn3Click() { GerarCurrculo1Click(); }

void TForm1::PreencherCurriculo(const QString& fontName, const QColor& colour, bool pageCounter)
{
    FillOptions options;
    options.fontName = fontName;
    options.colour = colour;
    options.pageCounter = pageCounter;
    PreencherCurriculo(options);
}

void TForm1::PreencherCurriculo(const FillOptions& options)
{
    m_filledLayout = options.layout;
    if (options.layout == PageLayout::Moderno) {
        fillModern(*this, modernTemplate(), options);
        return;
    }
    TCurriculo& c = *Curriculo;
    styleClassic(c, options);
    fillIdentity(*this, c);
    options.mark(FillStage::Identity);
    // Photograph: without one the box draws nothing, but stays.
    copyPicture(*Image1, *c.foto);
    options.mark(FillStage::Photo);
    fillExperiences(*this, c, options);
    fillSchooling(*this, c);
    options.mark(FillStage::Schooling);
    fillCourses(*this, c, options);
    fillInformation(*this, c);
    options.mark(FillStage::Information);
    fillSentence(*this, c);
    options.mark(FillStage::Sentence);
}

report::Report& TForm1::filledReport() const
{
    return m_filledLayout == PageLayout::Moderno ? modernTemplate().report() : Curriculo->report();
}

void TForm1::TotalDePaginas()
{
    report::Report& r = filledReport();
    r.prepare();
    report::Label* total =
        m_filledLayout == PageLayout::Moderno ? modernTemplate().contador : Curriculo->txt4;
    total->caption = QString::number(r.pageCount());
}

void TForm1::TituloDoCurriculo()
{
    filledReport().title = QStringLiteral("Curriculo de ") + edt_nome->text();
}

void TForm1::VisualizarCurriculo() { report::PreviewWindow::showAndWait(filledReport().prepare()); }

void TForm1::prepareResume(const FillOptions& options)
{
    PreencherCurriculo(options);
    TotalDePaginas();
    TituloDoCurriculo();
}
