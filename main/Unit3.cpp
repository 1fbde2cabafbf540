#include "Unit3.h"

TCurriculo* Curriculo = nullptr;

using report::Band;
using report::BandKind;
using report::FontSpec;
using report::Label;
using report::Line;

namespace {

constexpr double kAutoHeight = 16; // a self-sizing label's design height; the layout measures its text

// A value label; its template text is its own name unless given.
struct ValueLabel {
    const char* name;
    double left;
    const char* text = nullptr;
};

// A field title and the value labels after it on its line; the layout keeps them together.
struct FieldRow {
    const char* title;
    const char* text;
    double titleLeft;
    const char* value; // null: a title without a value
    double valueLeft;
    double top;
    ValueLabel more[2] = {}; // values that follow the first one on the line
};

// The title band's identity lines.
const FieldRow kIdentity[] = {
    {"QRLabel2", "Nome:", 16, "nome", 64, 72},
    {"QRLabel3", "Nascimento:", 16, "nascimento", 96, 104},
    {"QRLabel4", "Sexo:", 224, "sexo", 264, 104},
    {"QRLabel6", "Naturalidade:", 16, "naturalidade", 96, 136},
    {"QRLabel5", "Estado Civil:", 320, "ec", 397, 136},
    {"QRLabel7", "Telefone:", 16, "telefone1", 72, 168, {{"barra", 160, "/"}, {"telefone2", 168}}},
    {"QRLabel8", "Email:", 16, "email", 64, 200},
    {"QRLabel9", "Rua:", 16, "rua", 48, 232},
    {"QRLabel10", "Número:", 392, "numero", 448, 232},
    {"QRLabel11", "Complemento:", 16, "complemento", 104, 264},
    {"QRLabel12", "Bairro:", 16, "bairro", 64, 296},
    {"QRLabel13", "Cidade:", 304, "cidade", 352, 296},
    {"QRLabel14", "U.F.:", 504, "uf", 536, 296},
};

// The schooling lines.
const FieldRow kSchooling[] = {
    {"QRLabel71", "Escolaridade:", 14, "escolaridade", 102, 48},
    {"QRLabel72", "Descrição:", 14, "descricao", 86, 72},
    {"QRLabel73", "Escola / Instituto:", 14, "escola", 123, 96},
};

// The lines of an experience block: title text and its tops in block 1 and in blocks 2-5.
struct BlockLine {
    const char* text;
    double top1;
    double topN;
};
const BlockLine kExperienceLines[6] = {
    {"Nome da Empresa:", 48, 17}, {"Cargo que ocupava:", 72, 41}, {"Admissão:", 96, 65},
    {"Demissão:", 96, 65},        {"Telefone:", 120, 89},         {"Observações:", 144, 113},
};
struct ExperienceNames {
    const char* line;
    int titles[6];
    double valueLefts[6]; // empresa, cargo, admissao, demissao, tel, obs
};
const ExperienceNames kExperiences[5] = {
    {"linha1", {16, 17, 18, 19, 20, 21}, {130, 131, 80, 226, 70, 97}},
    {"linha6", {23, 24, 25, 26, 27, 28}, {130, 131, 79, 224, 70, 97}},
    {"linha7", {22, 35, 36, 37, 38, 39}, {129, 131, 79, 223, 69, 96}},
    {"linha8", {46, 47, 48, 49, 50, 51}, {129, 131, 79, 223, 70, 97}},
    {"linha9", {58, 59, 60, 61, 62, 63}, {130, 131, 79, 223, 70, 98}},
};
const char* const kExperienceValues[6] = {"empresa", "cargo", "admissao", "demissao", "tel", "obs"};

const BlockLine kCourseLines[4] = {
    {"Descrição do Curso: ", 48, 14},
    {"Observações:", 72, 38},
    {"Escola / Instituto:", 96, 62},
    {"Duração do Curso:", 120, 86},
};
const double kCourseValueLefts[4] = {137, 102, 125, 130};
const char* const kCourseValues[4] = {"cudescricao", "cuobs", "cuescola", "cuduracao"};
struct CourseNames {
    const char* line;
    int titles[4];
};
const CourseNames kCourses[5] = {
    {"linha3", {75, 76, 80, 82}},      {"linha10", {83, 87, 89, 90}},     {"linha11", {81, 95, 96, 97}},
    {"linha12", {102, 103, 104, 105}}, {"linha13", {110, 111, 112, 113}},
};

// The additional-information item bands: one line each, every control one pixel above the top.
struct ItemBand {
    const char* band;
    double height;
    FieldRow left;
    FieldRow right; // title null: none
};
const ItemBand kItems[4] = {
    {"subcp",
     29,
     {"QRLabel127", "Carteira Profissional:", 14, "cp", 139, -1},
     {"QRLabel129", "Titulo Eleitoral:", 312, "te", 402, -1}},
    {"subrg", 29, {"QRLabel125", "R.G.:", 14, "rg", 50, -1}, {"QRLabel131", "C.P.F.:", 312, "cpf", 360, -1}},
    {"subcargo", 29, {"QRLabel121", "Cargo Pretendido:", 14, "cargop", 123, -1}, {}},
    {"subsalario", 21, {"QRLabel134", "Salário Pretendido:", 14, "sp", 127, -1}, {}},
};

// The page footer: every control at top 0 in Arial 8 pt of its own.
struct FooterControl {
    const char* name;
    const char* text; // null: the page number
    double left;
    bool italic;
};
const FooterControl kFooter[] = {
    {"sovranel", "Sovranel 3.1", 3, true},
    {"txt1", "página", 633, false},
    {"txt2", nullptr, 673, false},
    {"txt3", "de", 685, false},
    {"txt4", "1", 703, false},
};

QString name(const char* n) { return QString::fromUtf8(n); }
QString numbered(const char* base, int n) { return QString::fromLatin1(base) + QString::number(n); }
QString qrLabel(int n) { return numbered("QRLabel", n); }

// A self-sizing label in the report font; its template text is its own name unless given.
Label* label(Band* band, const QString& n, double left, double top, const QString& text)
{
    return band->add<Label>(n, QRectF(left, top, 0, kAutoHeight), text);
}

// A value label as placed on its line; its template text is its own name unless given.
struct PlacedValue {
    QString name;
    double left;
    QString text = {};
};

// A field title with the values after it on its line, declared as one pair.
void fieldPair(Band* band, const QString& title, const QString& text, double titleLeft, double top,
               const std::vector<PlacedValue>& values)
{
    Label* t = label(band, title, titleLeft, top, text);
    std::vector<Label*> v;
    for (const PlacedValue& value : values)
        v.push_back(label(band, value.name, value.left, top, value.text.isEmpty() ? value.name : value.text));
    band->addPair(t, std::move(v));
}

void fieldPair(Band* band, const FieldRow& row)
{
    std::vector<PlacedValue> values{{name(row.value), row.valueLeft}};
    for (const ValueLabel& more : row.more)
        if (more.name)
            values.push_back({name(more.name), more.left, more.text ? name(more.text) : QString()});
    fieldPair(band, name(row.title), name(row.text), row.titleLeft, row.top, values);
}

Label* heading(Band* band, const char* n, const char* text, double left, double top)
{
    Label* l = label(band, name(n), left, top, name(text));
    l->setFont(FontSpec{QStringLiteral("Arial"), 10, false, true, true}, Qt::black);
    return l;
}

Line* line(Band* band, const QString& n, const QRectF& box, Qt::PenStyle style)
{
    Line* l = band->add<Line>(n, box);
    l->style = style;
    return l;
}

} // namespace

TCurriculo::TCurriculo(QObject* parent) : QObject(parent)
{
    Curriculo = this;
    setObjectName(QStringLiteral("Curriculo"));
    buildTemplate();
}

TCurriculo::~TCurriculo()
{
    if (Curriculo == this)
        Curriculo = nullptr;
}

Label* TCurriculo::labelNamed(const char* n) { return m_report.find<Label>(name(n)); }

void TCurriculo::buildTemplate()
{
    m_report.setFont(FontSpec{QStringLiteral("Arial"), 10}, Qt::black);

    buildTitleBand();
    buildExperienceBands();
    buildSchoolingBand();
    buildCourseBands();
    buildInformationBands();
    buildSentenceBand();
    buildFooterBand();

    for (int n = 1; n <= 13; ++n)
        linhas[size_t(n - 1)] = m_report.find<Line>(numbered("linha", n));
}

// The title band: the title, the photo and the identity fields.
void TCurriculo::buildTitleBand()
{
    report::Report& r = m_report;
    subprincipal = r.addBand(BandKind::Title, QStringLiteral("subprincipal"), 331);
    titulo = subprincipal->add<Label>(QStringLiteral("titulo"), QRectF(4, 16, 712, 29),
                                      QStringLiteral("Sovranel Vitae"));
    titulo->autoSize = false;
    titulo->alignment = Qt::AlignHCenter;
    titulo->setFont(FontSpec{QStringLiteral("Arial"), 16}, Qt::black);
    foto = subprincipal->add<report::Image>(QStringLiteral("foto"), QRectF(576, 80, 129, 137));
    for (const FieldRow& row : kIdentity)
        fieldPair(subprincipal, row);
    barra = labelNamed("barra");
    telefone2 = labelNamed("telefone2");
    nome = labelNamed("nome");
    nome->setFont(FontSpec{QStringLiteral("Arial"), 10, true}, Qt::black);
    nascimento = labelNamed("nascimento");
    sexo = labelNamed("sexo");
    naturalidade = labelNamed("naturalidade");
    ec = labelNamed("ec");
    telefone1 = labelNamed("telefone1");
    email = labelNamed("email");
    rua = labelNamed("rua");
    numero = labelNamed("numero");
    complemento = labelNamed("complemento");
    bairro = labelNamed("bairro");
    cidade = labelNamed("cidade");
    uf = labelNamed("uf");
}

// One band per experience; block 1 opens the section with a solid line and the heading.
void TCurriculo::buildExperienceBands()
{
    report::Report& r = m_report;
    for (int n = 1; n <= 5; ++n) {
        ExperienceBlock& b = experiencias[size_t(n - 1)];
        const ExperienceNames& names = kExperiences[n - 1];
        const bool first = n == 1;
        b.subexperiencia = r.addBand(BandKind::SubDetail, numbered("subexperiencia", n), first ? 162 : 132);
        b.linha = first ? line(b.subexperiencia, name(names.line), QRectF(8, -3, 702, 6), Qt::SolidLine)
                        : line(b.subexperiencia, name(names.line), QRectF(12, 5, 696, 7), Qt::DashDotLine);
        if (first)
            titulo2 = heading(b.subexperiencia, "titulo2", "Experiências Profissionais", 14, 16);
        for (int i = 0; i < 6; ++i) {
            const BlockLine& l = kExperienceLines[i];
            const double top = first ? l.top1 : l.topN;
            const double titleLeft = i == 3 ? (first ? 160 : 158) : 14;
            fieldPair(b.subexperiencia, qrLabel(names.titles[i]), name(l.text), titleLeft, top,
                      {{numbered(kExperienceValues[i], n), names.valueLefts[i]}});
            b.titulos[size_t(i)] = r.find<Label>(qrLabel(names.titles[i]));
        }
        b.empresa = r.find<Label>(numbered("empresa", n));
        b.cargo = r.find<Label>(numbered("cargo", n));
        b.admissao = r.find<Label>(numbered("admissao", n));
        b.demissao = r.find<Label>(numbered("demissao", n));
        b.tel = r.find<Label>(numbered("tel", n));
        b.obs = r.find<Label>(numbered("obs", n));
    }
}

// The schooling band.
void TCurriculo::buildSchoolingBand()
{
    report::Report& r = m_report;
    subescolaridade = r.addBand(BandKind::SubDetail, QStringLiteral("subescolaridade"), 126);
    linha2 = line(subescolaridade, QStringLiteral("linha2"), QRectF(8, -4, 701, 9), Qt::SolidLine);
    titulo3 = heading(subescolaridade, "titulo3", "Escolaridade", 14, 16);
    for (const FieldRow& row : kSchooling)
        fieldPair(subescolaridade, row);
    escolaridade = labelNamed("escolaridade");
    descricao = labelNamed("descricao");
    escola = labelNamed("escola");
}

// One band per course; block 1 opens the section.
void TCurriculo::buildCourseBands()
{
    report::Report& r = m_report;
    for (int n = 1; n <= 5; ++n) {
        CourseBlock& b = cursos[size_t(n - 1)];
        const CourseNames& names = kCourses[n - 1];
        const bool first = n == 1;
        b.subcurso = r.addBand(BandKind::SubDetail, numbered("subcurso", n), first ? 144 : 104);
        b.linha = first ? line(b.subcurso, name(names.line), QRectF(8, -3, 702, 6), Qt::SolidLine)
                        : line(b.subcurso, name(names.line), QRectF(12, -3, 695, 6), Qt::DashDotLine);
        if (first)
            titulo4 = heading(b.subcurso, "titulo4", "Cursos ", 14, 16);
        for (int i = 0; i < 4; ++i) {
            const BlockLine& l = kCourseLines[i];
            const double top = first ? l.top1 : l.topN;
            fieldPair(b.subcurso, qrLabel(names.titles[i]), name(l.text), 14, top,
                      {{numbered(kCourseValues[i], n), kCourseValueLefts[i]}});
            b.titulos[size_t(i)] = r.find<Label>(qrLabel(names.titles[i]));
        }
        b.cudescricao = r.find<Label>(numbered("cudescricao", n));
        b.cuobs = r.find<Label>(numbered("cuobs", n));
        b.cuescola = r.find<Label>(numbered("cuescola", n));
        b.cuduracao = r.find<Label>(numbered("cuduracao", n));
    }
}

// The additional information: the heading band, then one band per item.
void TCurriculo::buildInformationBands()
{
    report::Report& r = m_report;
    subinformacoes = r.addBand(BandKind::SubDetail, QStringLiteral("subinformacoes"), 56);
    linha4 = line(subinformacoes, QStringLiteral("linha4"), QRectF(8, 6, 702, 6), Qt::SolidLine);
    titulo5 = heading(subinformacoes, "titulo5", "Informações Adicionais", 14, 24);
    for (const ItemBand& item : kItems) {
        Band* band = r.addBand(BandKind::SubDetail, name(item.band), item.height);
        for (const FieldRow* row : {&item.left, &item.right})
            if (row->title)
                fieldPair(band, *row);
    }
    subcp = r.band(QStringLiteral("subcp"));
    subrg = r.band(QStringLiteral("subrg"));
    subcargo = r.band(QStringLiteral("subcargo"));
    subsalario = r.band(QStringLiteral("subsalario"));
    cp = labelNamed("cp");
    te = labelNamed("te");
    rg = labelNamed("rg");
    cpf = labelNamed("cpf");
    cargop = labelNamed("cargop");
    sp = labelNamed("sp");
}

// The closing sentence.
void TCurriculo::buildSentenceBand()
{
    report::Report& r = m_report;
    subfrase = r.addBand(BandKind::SubDetail, QStringLiteral("subfrase"), 140);
    linha5 = line(subfrase, QStringLiteral("linha5"), QRectF(10, 12, 698, 1), Qt::SolidLine);
    frase = subfrase->add<Label>(QStringLiteral("frase"), QRectF(24, 36, 670, 93), QStringLiteral("."));
    frase->autoSize = false;
    frase->alignment = Qt::AlignHCenter;
}

// The page footer, at the bottom of every page.
void TCurriculo::buildFooterBand()
{
    report::Report& r = m_report;
    GroupFooterBand1 = r.addBand(BandKind::PageFooter, QStringLiteral("GroupFooterBand1"), 16);
    for (const FooterControl& c : kFooter) {
        const QRectF box(c.left, 0, 0, 11);
        Label* l = c.text ? GroupFooterBand1->add<Label>(name(c.name), box, name(c.text))
                          : GroupFooterBand1->add<report::PageNumber>(name(c.name), box);
        l->setFont(FontSpec{QStringLiteral("Arial"), 8, false, c.italic}, Qt::black);
    }
    // The counter reads as one phrase, "página 10 de 12", and keeps together at any page count.
    GroupFooterBand1->addPair(labelNamed("txt1"),
                              {labelNamed("txt2"), labelNamed("txt3"), labelNamed("txt4")});
    sovranel = labelNamed("sovranel");
    txt1 = labelNamed("txt1");
    txt2 = r.find<report::PageNumber>(QStringLiteral("txt2"));
    txt3 = labelNamed("txt3");
    txt4 = labelNamed("txt4");
}
