// Filling the modern layout from the entry window. The template's controls have no fixed
// places: the filling stacks what has content from the top of each band, measured in the
// fonts it has just set, so an empty line takes no room; the engine then wraps long texts and
// grows the bands.
#include "ModernTemplate.h"
#include "Unit1.h"

#include "report/Fonts.h"
#include "ui/DateField.h"
#include "ui/ListField.h"
#include "ui/PhoneEdit.h"
#include "ui/PictureBox.h"
#include "ui/SentenceBox.h"

#include <QCheckBox>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QRegularExpression>

#include <algorithm>
#include <memory>
#include <vector>

using report::FontSpec;
using report::Label;

namespace {

const QString kSeparator = QStringLiteral("  ·  ");
const QColor kText = Qt::black;
const QColor kSecondary(0x44, 0x44, 0x44);

constexpr double kPhotoWidth = 96; // smaller than the classic form's 129 x 137, same shape
constexpr double kPhotoHeight = 102;
constexpr double kBesidePhoto = 18; // the room the header's lines keep from the photo
constexpr double kSectionGap = 16;  // above a section's heading
constexpr double kBlockGap = 10;    // between two blocks of one section
constexpr double kAfterCourse = 6;  // between a course and its school on one line

// Fonts' metrics as the engine measures them. A filling meets a handful of fonts; each one is
// measured once per filling.
class Metrics {
  public:
    const QFontMetricsF& operator()(const FontSpec& spec)
    {
        for (const auto& [s, m] : m_known)
            if (s == spec)
                return *m;
        m_known.emplace_back(spec,
                             std::make_unique<QFontMetricsF>(report::toQFont(spec), &report::layoutDevice()));
        return *m_known.back().second;
    }

  private:
    std::vector<std::pair<FontSpec, std::unique_ptr<QFontMetricsF>>> m_known;
};

// Places the rows of a band one under the other from `top`; a row without text is switched
// off and takes no room.
class Stack {
  public:
    Stack(Metrics& metrics, double top) : m_metrics(metrics), m_y(top) {}

    void row(std::initializer_list<Label*> labels, double gap = 0)
    {
        bool any = false;
        for (Label* l : labels)
            any = any || !l->caption.isEmpty();
        if (!any) {
            for (Label* l : labels)
                l->enabled = false;
            return;
        }
        if (m_rows++ > 0)
            m_y += gap;
        // Texts of different sizes on one row share their baseline.
        double ascent = 0;
        for (Label* l : labels)
            ascent = std::max(ascent, m_metrics(l->font()).ascent());
        double bottom = m_y;
        for (Label* l : labels) {
            const QFontMetricsF& fm = m_metrics(l->font());
            l->enabled = !l->caption.isEmpty();
            l->geometry.moveTop(m_y + ascent - fm.ascent());
            l->geometry.setHeight(fm.height());
            bottom = std::max(bottom, l->geometry.bottom());
        }
        m_y = bottom;
    }

    void heading(const ModernHeading& h, bool shown)
    {
        h.titulo->enabled = h.regua->enabled = shown;
        if (!shown)
            return;
        row({h.titulo});
        h.regua->geometry.moveTop(m_y + 2);
        m_y += 10;
    }

    double bottom() const { return m_y; }

  private:
    Metrics& m_metrics;
    double m_y;
    int m_rows = 0;
};

QString joined(const QStringList& parts, const QString& separator = kSeparator)
{
    QStringList filled;
    for (const QString& p : parts)
        if (!p.isEmpty())
            filled << p;
    return filled.join(separator);
}

QString titled(const QString& title, const QString& value)
{
    return value.isEmpty() ? QString() : title + QLatin1Char(' ') + value;
}

// A phone as it prints here: nothing while no digit was typed, and without the brackets of an
// area code that was left out.
QString phone(const ui::PhoneEdit& field)
{
    const QString value = field.value();
    if (!value.contains(QRegularExpression(QStringLiteral("\\d"))))
        return QString();
    static const QRegularExpression emptyArea(QStringLiteral("^\\s*\\(\\s*\\)"));
    return QString(value).remove(emptyArea).trimmed();
}

QString monthYear(const ui::DateField& field) { return field.date().toString(QStringLiteral("MM/yyyy")); }

void styleModern(TModerno& m, const FillOptions& options)
{
    report::Report& r = m.report();
    // Lettering: the chosen face for the name and the headings, and for the body too unless
    // it is a script face.
    const QString accent = options.fontName.isEmpty() ? QStringLiteral("Arial") : options.fontName;
    const QString body = isScriptFace(accent) ? QStringLiteral("Arial") : accent;
    r.setFont(FontSpec{body, 10}, kText);
    std::vector<report::Label*> headings = {m.formacao.titulo, m.informacoes.titulo};
    std::vector<report::Line*> rules = {m.formacao.regua, m.informacoes.regua};
    for (const ModernJob& job : m.experiencias) {
        headings.push_back(job.heading.titulo);
        rules.push_back(job.heading.regua);
    }
    for (const ModernCourse& course : m.cursos) {
        headings.push_back(course.heading.titulo);
        rules.push_back(course.heading.regua);
    }
    m.nome->setFont(FontSpec{accent, 20, true}, kText);
    // The script faces read smaller than their size says; their headings get a little more.
    const double headingSize = isScriptFace(accent) ? 13 : 11.5;
    for (Label* h : headings)
        h->setFont(FontSpec{accent, headingSize, true}, kText);
    m.cargop->setFont(FontSpec{body, 12}, kSecondary);
    for (Label* l : {m.contato, m.pessoal})
        l->setFont(FontSpec{body, 9}, kSecondary);
    for (const ModernJob& job : m.experiencias) {
        job.cargo->setFont(FontSpec{body, 10.5, true}, kText);
        job.periodo->setFont(FontSpec{body, 9.5}, kSecondary);
        job.empresa->setFont(FontSpec{body, 10}, kSecondary);
        job.obs->setFont(FontSpec{body, 9.5}, kText);
    }
    m.escolaridade->setFont(FontSpec{body, 10.5, true}, kText);
    m.escola->setFont(FontSpec{body, 10}, kSecondary);
    for (const ModernCourse& course : m.cursos) {
        course.curso->setFont(FontSpec{body, 10, true}, kText);
        course.detalhe->setFont(FontSpec{body, 10}, kSecondary);
        course.obs->setFont(FontSpec{body, 9.5}, kText);
    }
    for (Label* l : {m.salario, m.carteira, m.identidade})
        l->setFont(FontSpec{body, 10}, kText);
    m.frase->setFont(FontSpec{body, 10, false, true}, kSecondary);
    options.mark(FillStage::Font);

    // Colour: the name, the headings and their rules; the body stays dark, so it reads well in
    // any colour chosen.
    m.nome->setColour(options.colour);
    for (Label* h : headings)
        h->setColour(options.colour);
    for (report::Line* rule : rules)
        rule->pen = options.colour;
    options.mark(FillStage::Colour);

    if (options.setPageCounter)
        m.contador->enabled = options.pageCounter;
    options.mark(FillStage::PageCounter);
}

void fillIdentity(const TForm1& form, TModerno& m)
{
    // Identity: the name, the position sought, one contact line and one personal line; the
    // address and the sex are left out.
    m.nome->caption = form.edt_nome->text();
    m.cargop->caption = form.edt_cargo->text();
    QString place = joined({form.edt_cidade->text(), form.edt_uf->text()}, QStringLiteral("/"));
    m.contato->caption =
        joined({phone(*form.edt_tel1), phone(*form.edt_tel2), form.edt_email->text(), place});
    m.pessoal->caption = joined({titled(QStringLiteral("Nascimento:"), form.edt_nasc->shortText()),
                                 titled(QStringLiteral("Estado civil:"), form.edt_ec->text()),
                                 titled(QStringLiteral("Naturalidade:"), form.edt_natural->text())});
}

void fillHeader(const TForm1& form, TModerno& m, Metrics& metrics, double width)
{
    // The photo keeps its own shape inside the box at the top right.
    copyPicture(*form.Image1, *m.foto);
    const QImage& picture = m.foto->picture();
    m.foto->enabled = !picture.isNull();
    double photoHeight = 0;
    if (m.foto->enabled) {
        const double scale = std::min(kPhotoWidth / picture.width(), kPhotoHeight / picture.height());
        const QSizeF size(picture.width() * scale, picture.height() * scale);
        m.foto->geometry = QRectF(QPointF(width - size.width(), 0), size);
        photoHeight = size.height();
    }
    const double textWidth = m.foto->enabled ? width - kPhotoWidth - kBesidePhoto : width;
    Stack header(metrics, 0);
    for (Label* l : {m.nome, m.cargop, m.contato, m.pessoal})
        l->geometry.setWidth(textWidth);
    header.row({m.nome});
    header.row({m.cargop}, 2);
    header.row({m.contato}, 8);
    header.row({m.pessoal}, 3);
    m.cabecalho->height = std::max(header.bottom(), photoHeight) + 8;
}

// One block per experience typed in; the first opens the section.
void fillJobs(const TForm1& form, TModerno& m, Metrics& metrics, const FillOptions& options)
{
    bool headed = false;
    for (size_t i = 0; i < m.experiencias.size(); ++i) {
        const ExperiencePage& page = form.experiencias[i];
        const ModernJob& job = m.experiencias[i];
        job.band->enabled = !page.edt_exnome->text().isEmpty();
        if (job.band->enabled) {
            Stack s(metrics, headed ? kBlockGap : kSectionGap);
            s.heading(job.heading, !headed);
            headed = true;
            const QString position = page.edt_excargo->text();
            const QString company = page.edt_exnome->text();
            job.cargo->caption = position.isEmpty() ? company : position;
            // No exit date printed means the job goes on, or that its end was not given.
            job.periodo->caption =
                page.informar_saida->isChecked()
                    ? monthYear(*page.edt_exentrada) + QStringLiteral(" – ") + monthYear(*page.edt_exsaida)
                    : QStringLiteral("desde ") + monthYear(*page.edt_exentrada);
            job.empresa->caption = joined({position.isEmpty() ? QString() : company,
                                           titled(QStringLiteral("Tel."), phone(*page.edt_extelefone))});
            job.obs->caption = page.edt_exobs->text();
            s.row({job.cargo, job.periodo});
            s.row({job.empresa}, 1);
            s.row({job.obs}, 3);
            job.band->height = s.bottom();
        }
        options.mark(FillStage(int(FillStage::Experience1) + int(i)));
    }
}

void fillSchooling(const TForm1& form, TModerno& m, Metrics& metrics)
{
    m.subescolaridade->enabled = !form.edt_escolaridade->text().isEmpty();
    if (m.subescolaridade->enabled) {
        Stack s(metrics, kSectionGap);
        s.heading(m.formacao, true);
        m.escolaridade->caption =
            joined({form.edt_escolaridade->text(), form.edt_curso->text()}, QStringLiteral(" – "));
        m.escola->caption = form.edt_escola->text();
        s.row({m.escolaridade});
        s.row({m.escola}, 1);
        m.subescolaridade->height = s.bottom();
    }
}

// One block per course typed in; the first opens the section.
void fillCourses(const TForm1& form, TModerno& m, Metrics& metrics, double width, const FillOptions& options)
{
    bool headed = false;
    for (size_t i = 0; i < m.cursos.size(); ++i) {
        const CoursePage& page = form.cursos[i];
        const ModernCourse& course = m.cursos[i];
        course.band->enabled = !page.edt_cucurso->text().isEmpty();
        if (course.band->enabled) {
            Stack s(metrics, headed ? kBlockGap - 2 : kSectionGap);
            s.heading(course.heading, !headed);
            headed = true;
            course.curso->caption = page.edt_cucurso->text();
            const QString detail = joined({page.edt_cuescola->text(), page.edt_cuduracao->text()});
            course.obs->caption = page.edt_cuobs->text();
            // School and duration follow the course on its line when they fit there, and go
            // to a line of their own when they do not.
            const QString inLine = QStringLiteral("·  ") + detail;
            const double courseWidth = metrics(course.curso->font()).horizontalAdvance(course.curso->caption);
            const bool fits =
                courseWidth + kAfterCourse + metrics(course.detalhe->font()).horizontalAdvance(inLine) <=
                width;
            course.detalhe->caption = detail.isEmpty() ? QString() : fits ? inLine : detail;
            course.detalhe->geometry.moveLeft(fits ? courseWidth + kAfterCourse : 0);
            if (fits) {
                s.row({course.curso, course.detalhe});
            } else {
                s.row({course.curso});
                s.row({course.detalhe}, 1);
            }
            s.row({course.obs}, 2);
            course.band->height = s.bottom();
        }
        options.mark(FillStage(int(FillStage::Course1) + int(i)));
    }
}

void fillInformation(const TForm1& form, TModerno& m, Metrics& metrics)
{
    // Additional information: the salary and the documents, each only when filled; the voter
    // card goes with the work book and the taxpayer number with the identity card.
    const bool workBook = !form.edt_cp->text().isEmpty();
    const bool identity = !form.edt_rg->text().isEmpty();
    m.salario->caption = titled(QStringLiteral("Salário Pretendido:"), form.edt_salario->text());
    m.carteira->caption = workBook
                              ? joined({titled(QStringLiteral("Carteira Profissional:"), form.edt_cp->text()),
                                        titled(QStringLiteral("Título Eleitoral:"), form.edt_te->text())})
                              : QString();
    m.identidade->caption = identity ? joined({titled(QStringLiteral("R.G.:"), form.edt_rg->text()),
                                               titled(QStringLiteral("C.P.F.:"), form.edt_cpf->text())})
                                     : QString();
    m.subinformacoes->enabled =
        !m.salario->caption.isEmpty() || !m.carteira->caption.isEmpty() || !m.identidade->caption.isEmpty();
    if (m.subinformacoes->enabled) {
        Stack s(metrics, kSectionGap);
        s.heading(m.informacoes, true);
        s.row({m.salario});
        s.row({m.carteira}, 3);
        s.row({m.identidade}, 3);
        m.subinformacoes->height = s.bottom();
    }
}

void fillSentence(const TForm1& form, TModerno& m, Metrics& metrics)
{
    // The closing sentence: the one ticked; none ticked prints nothing.
    QString sentence;
    for (QCheckBox* option : {form.frase1, form.frase2, form.frase3, form.frase4})
        if (option->isChecked())
            sentence = option == form.frase4 ? form.frase->text() : option->text();
    m.frase->caption = sentence;
    m.subfrase->enabled = !sentence.isEmpty();
    if (m.subfrase->enabled) {
        Stack s(metrics, kSectionGap + 6);
        s.row({m.frase});
        m.subfrase->height = s.bottom();
    }
}

} // namespace

void copyPicture(const ui::PictureBox& from, report::Image& to)
{
    if (from.isEmpty())
        to.clear();
    else if (from.kind() == ui::PictureKind::File)
        to.setPicture(from.image(), from.encoded(), from.format());
    else
        to.setPicture(from.image());
}

void fillModern(const TForm1& form, TModerno& m, const FillOptions& options)
{
    const double width = m.report().bandWidth();
    Metrics metrics;
    styleModern(m, options);
    fillIdentity(form, m);
    options.mark(FillStage::Identity);
    fillHeader(form, m, metrics, width);
    options.mark(FillStage::Photo);
    fillJobs(form, m, metrics, options);
    fillSchooling(form, m, metrics);
    options.mark(FillStage::Schooling);
    fillCourses(form, m, metrics, width, options);
    fillInformation(form, m, metrics);
    options.mark(FillStage::Information);
    fillSentence(form, m, metrics);
    options.mark(FillStage::Sentence);
}
