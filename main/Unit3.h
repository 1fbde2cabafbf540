#pragma once

#include "report/Template.h"

#include <QObject>

#include <array>

// One professional-experience block of the résumé; its controls' names end in the block number.
struct ExperienceBlock {
    report::Band* subexperiencia = nullptr;
    report::Line* linha = nullptr; // linha1 opens the section; linha6..linha9 separate blocks 2-5
    // Field titles: company, position, admission, exit ("Demissão:", switched by the filling),
    // telephone, remarks.
    std::array<report::Label*, 6> titulos{};
    report::Label* demissaoTitulo() const { return titulos[3]; }
    report::Label* empresa = nullptr;
    report::Label* cargo = nullptr;
    report::Label* admissao = nullptr;
    report::Label* demissao = nullptr;
    report::Label* tel = nullptr;
    report::Label* obs = nullptr;
};

// One course block.
struct CourseBlock {
    report::Band* subcurso = nullptr;
    report::Line* linha = nullptr;           // linha3, then linha10..linha13
    std::array<report::Label*, 4> titulos{}; // description, remarks, school, duration
    report::Label* cudescricao = nullptr;
    report::Label* cuobs = nullptr;
    report::Label* cuescola = nullptr;
    report::Label* cuduracao = nullptr;
};

// The résumé report: the template that the filling writes and the engine lays out. It is never
// shown itself; only the preview shows its pages. Every band and control is reachable by its
// name through report().find<…>() and, for those the program writes, as a member.
class TCurriculo : public QObject {
    Q_OBJECT
  public:
    explicit TCurriculo(QObject* parent = nullptr);
    ~TCurriculo() override;

    report::Report& report() { return m_report; }

    // Title band: title, identity, photo.
    report::Band* subprincipal = nullptr;
    report::Label* titulo = nullptr;
    report::Image* foto = nullptr;
    report::Label* nome = nullptr;
    report::Label* nascimento = nullptr;
    report::Label* sexo = nullptr;
    report::Label* naturalidade = nullptr;
    report::Label* ec = nullptr;
    report::Label* telefone1 = nullptr;
    report::Label* barra = nullptr;
    report::Label* telefone2 = nullptr;
    report::Label* email = nullptr;
    report::Label* rua = nullptr;
    report::Label* numero = nullptr;
    report::Label* complemento = nullptr;
    report::Label* bairro = nullptr;
    report::Label* cidade = nullptr;
    report::Label* uf = nullptr;

    // Blocks 1 to 5 at indexes 0 to 4.
    std::array<ExperienceBlock, 5> experiencias{};
    report::Label* titulo2 = nullptr; // "Experiências Profissionais", on block 1

    report::Band* subescolaridade = nullptr;
    report::Line* linha2 = nullptr;
    report::Label* titulo3 = nullptr;
    report::Label* escolaridade = nullptr;
    report::Label* descricao = nullptr;
    report::Label* escola = nullptr;

    std::array<CourseBlock, 5> cursos{};
    report::Label* titulo4 = nullptr; // "Cursos ", on block 1

    report::Band* subinformacoes = nullptr;
    report::Line* linha4 = nullptr;
    report::Label* titulo5 = nullptr;
    report::Band* subcp = nullptr;
    report::Label* cp = nullptr;
    report::Label* te = nullptr;
    report::Band* subrg = nullptr;
    report::Label* rg = nullptr;
    report::Label* cpf = nullptr;
    report::Band* subcargo = nullptr;
    report::Label* cargop = nullptr;
    report::Band* subsalario = nullptr;
    report::Label* sp = nullptr;

    report::Band* subfrase = nullptr;
    report::Line* linha5 = nullptr;
    report::Label* frase = nullptr;

    // Page footer.
    report::Band* GroupFooterBand1 = nullptr;
    report::Label* sovranel = nullptr;
    report::Label* txt1 = nullptr;
    report::PageNumber* txt2 = nullptr;
    report::Label* txt3 = nullptr;
    report::Label* txt4 = nullptr;

    // linha1 to linha13 at indexes 0 to 12.
    std::array<report::Line*, 13> linhas{};

  private:
    void buildTemplate();
    void buildTitleBand();
    void buildExperienceBands();
    void buildSchoolingBand();
    void buildCourseBands();
    void buildInformationBands();
    void buildSentenceBand();
    void buildFooterBand();
    // The label of the template named `n`.
    report::Label* labelNamed(const char* n);
    report::Report m_report;
};

extern TCurriculo* Curriculo;
