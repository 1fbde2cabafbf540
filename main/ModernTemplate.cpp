#include "ModernTemplate.h"

#include "Unit3.h"

TModerno* Moderno = nullptr;

using report::Band;
using report::BandKind;
using report::FontSpec;
using report::Label;
using report::Line;

namespace {

QString numbered(const char* base, int n) { return QString::fromLatin1(base) + QString::number(n); }

// A label of a fixed width that wraps inside it; the filling places it and sets its height.
Label* text(Band* band, const QString& name, double left, double width)
{
    Label* l = band->add<Label>(name, QRectF(left, 0, width, 16), QString());
    l->autoSize = false;
    l->wordWrap = true;
    return l;
}

ModernHeading heading(Band* band, const QString& suffix, const char* caption, double width)
{
    ModernHeading h;
    h.titulo = text(band, QStringLiteral("titulo") + suffix, 0, width);
    h.titulo->caption = QString::fromUtf8(caption);
    h.regua = band->add<Line>(QStringLiteral("regua") + suffix, QRectF(0, 0, width, 1));
    return h;
}

} // namespace

PageCounter::PageCounter(Band& band, const QString& name, const QRectF& geometry)
    : Label(band, name, geometry, QStringLiteral("1"))
{
}

QString PageCounter::textOnPage(int pageNumber) const
{
    return QStringLiteral("página %1 de %2").arg(pageNumber).arg(caption);
}

TModerno::TModerno(QObject* parent) : QObject(parent)
{
    Moderno = this;
    setObjectName(QStringLiteral("Moderno"));
    buildTemplate();
}

TModerno::~TModerno()
{
    if (Moderno == this)
        Moderno = nullptr;
}

TModerno& modernTemplate()
{
    if (!Moderno)
        new TModerno(Curriculo);
    return *Moderno;
}

bool isScriptFace(const QString& family)
{
    return family.compare(QLatin1String("Monotype Corsiva"), Qt::CaseInsensitive) == 0 ||
           family.compare(QLatin1String("Brush Script MT"), Qt::CaseInsensitive) == 0;
}

void TModerno::buildTemplate()
{
    report::Report& r = m_report;
    r.frame = false;
    r.setFont(FontSpec{QStringLiteral("Arial"), 10}, Qt::black);
    const double width = r.bandWidth();

    // The header: what the filling shows of it is stacked from the top; the photo sits at the
    // top right and the lines beside it end before it.
    cabecalho = r.addBand(BandKind::Title, QStringLiteral("cabecalho"), 120);
    nome = text(cabecalho, QStringLiteral("nome"), 0, width);
    cargop = text(cabecalho, QStringLiteral("cargop"), 0, width);
    contato = text(cabecalho, QStringLiteral("contato"), 0, width);
    pessoal = text(cabecalho, QStringLiteral("pessoal"), 0, width);
    foto = cabecalho->add<report::Image>(QStringLiteral("foto"), QRectF(width - 96, 0, 96, 102));

    for (int n = 1; n <= 5; ++n) {
        ModernJob& job = experiencias[size_t(n - 1)];
        job.band = r.addBand(BandKind::SubDetail, numbered("subexperiencia", n), 60);
        job.heading = heading(job.band, numbered("experiencia", n), "Experiência Profissional", width);
        job.cargo = text(job.band, numbered("cargo", n), 0, width - 200);
        job.periodo = text(job.band, numbered("periodo", n), width - 190, 190);
        job.periodo->alignment = Qt::AlignRight;
        job.empresa = text(job.band, numbered("empresa", n), 0, width);
        job.obs = text(job.band, numbered("obs", n), 0, width);
    }

    subescolaridade = r.addBand(BandKind::SubDetail, QStringLiteral("subescolaridade"), 60);
    formacao = heading(subescolaridade, QStringLiteral("formacao"), "Formação", width);
    escolaridade = text(subescolaridade, QStringLiteral("escolaridade"), 0, width);
    escola = text(subescolaridade, QStringLiteral("escola"), 0, width);

    for (int n = 1; n <= 5; ++n) {
        ModernCourse& course = cursos[size_t(n - 1)];
        course.band = r.addBand(BandKind::SubDetail, numbered("subcurso", n), 50);
        course.heading = heading(course.band, numbered("curso", n), "Cursos", width);
        // The course and what follows it on its line size themselves; the filling places the
        // school and the duration after the course's own width.
        course.curso = course.band->add<Label>(numbered("cudescricao", n), QRectF(0, 0, 0, 16), QString());
        course.detalhe = course.band->add<Label>(numbered("cudetalhe", n), QRectF(0, 0, 0, 16), QString());
        course.obs = text(course.band, numbered("cuobs", n), 0, width);
    }

    subinformacoes = r.addBand(BandKind::SubDetail, QStringLiteral("subinformacoes"), 60);
    informacoes = heading(subinformacoes, QStringLiteral("informacoes"), "Informações Adicionais", width);
    salario = text(subinformacoes, QStringLiteral("sp"), 0, width);
    carteira = text(subinformacoes, QStringLiteral("cp"), 0, width);
    identidade = text(subinformacoes, QStringLiteral("rg"), 0, width);

    subfrase = r.addBand(BandKind::SubDetail, QStringLiteral("subfrase"), 40);
    frase = text(subfrase, QStringLiteral("frase"), 0, width);

    // The footer keeps some room above its line, so a full page never runs into it.
    rodape = r.addBand(BandKind::PageFooter, QStringLiteral("rodape"), 22);
    sovranel =
        rodape->add<Label>(QStringLiteral("sovranel"), QRectF(0, 9, 0, 12), QStringLiteral("Sovranel 3.1"));
    sovranel->setFont(FontSpec{QStringLiteral("Arial"), 8, false, true}, QColor(0x80, 0x80, 0x80));
    contador = rodape->add<PageCounter>(QStringLiteral("contador"), QRectF(width - 200, 9, 200, 12));
    contador->autoSize = false;
    contador->wordWrap = false;
    contador->alignment = Qt::AlignRight;
    contador->setFont(FontSpec{QStringLiteral("Arial"), 8}, QColor(0x55, 0x55, 0x55));
}
