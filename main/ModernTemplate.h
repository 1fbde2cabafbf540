#pragma once

#include "ReportFilling.h"

#include "report/Template.h"

#include <QObject>

#include <array>

class TForm1;

namespace ui {
class PictureBox;
}

// A heading that opens a section: bold text in the chosen colour over a thin rule. Every block
// band carries one, and the filling shows it on the first block that prints, so a heading
// always stands on the same page as the block under it.
struct ModernHeading {
    report::Label* titulo = nullptr;
    report::Line* regua = nullptr;
};

// One job: the position (bold) with its dates at the right, the company with its telephone,
// and the remark as a paragraph.
struct ModernJob {
    report::Band* band = nullptr;
    ModernHeading heading;
    report::Label* cargo = nullptr;
    report::Label* periodo = nullptr;
    report::Label* empresa = nullptr;
    report::Label* obs = nullptr;
};

// One course: the course (bold), then school and duration on its line, the remark beneath.
struct ModernCourse {
    report::Band* band = nullptr;
    ModernHeading heading;
    report::Label* curso = nullptr;
    report::Label* detalhe = nullptr;
    report::Label* obs = nullptr;
};

// The footer's counter, "página N de M", with the total M as its caption.
class PageCounter : public report::Label {
  public:
    PageCounter(report::Band& band, const QString& name, const QRectF& geometry);
    QString textOnPage(int pageNumber) const override;
};

// The modern page layout of the résumé: the name large at the top with the position sought,
// one contact line and one personal line, the photo at the top right, then the sections that
// have content, each under its heading; no title and no page frame. It is laid out by the
// same engine as the classic report form, and filled from the same entry window.
class TModerno : public QObject {
    Q_OBJECT
  public:
    explicit TModerno(QObject* parent = nullptr);
    ~TModerno() override;

    report::Report& report() { return m_report; }

    report::Band* cabecalho = nullptr;
    report::Label* nome = nullptr;
    report::Label* cargop = nullptr; // the position sought, beneath the name
    report::Label* contato = nullptr;
    report::Label* pessoal = nullptr;
    report::Image* foto = nullptr;

    std::array<ModernJob, 5> experiencias{};

    report::Band* subescolaridade = nullptr;
    ModernHeading formacao;
    report::Label* escolaridade = nullptr; // the level and the course description
    report::Label* escola = nullptr;

    std::array<ModernCourse, 5> cursos{};

    report::Band* subinformacoes = nullptr;
    ModernHeading informacoes;
    report::Label* salario = nullptr;
    report::Label* carteira = nullptr;   // work book, with the voter card
    report::Label* identidade = nullptr; // identity card, with the taxpayer number

    report::Band* subfrase = nullptr;
    report::Label* frase = nullptr;

    report::Band* rodape = nullptr;
    report::Label* sovranel = nullptr;
    PageCounter* contador = nullptr;

  private:
    void buildTemplate();
    report::Report m_report;
};

// The modern layout's form, made the first time it is needed; it lives as long as the
// classic report form and goes with it.
extern TModerno* Moderno;
TModerno& modernTemplate();

// Whether a face is one of the script lettering models, which the modern layout keeps to the
// name and the headings so that the body stays readable.
bool isScriptFace(const QString& family);

// The entry window's photo into a report picture (its file's own bytes kept); none clears it.
void copyPicture(const ui::PictureBox& from, report::Image& to);

// Copies the entry window into the modern layout, with the fill rules of the classic report
// but for three: a section's heading prints when any of its blocks does, the documents print
// in their pairs, and without a chosen closing sentence nothing prints there. It marks the
// same stages as the classic filling.
void fillModern(const TForm1& form, TModerno& moderno, const FillOptions& options);
