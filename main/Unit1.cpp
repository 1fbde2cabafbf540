#include "Unit1.h"

#include "FieldLimits.h"
#include "FormBinding.h"
#include "Unit5.h"
#include "Unit7.h"

#include "net/Remote.h"
#include "net/WebView.h"
#include "ui/Application.h"
#include "ui/DateField.h"
#include "ui/Glyphs.h"
#include "ui/ListField.h"
#include "ui/Look.h"
#include "ui/OpenFileDialog.h"
#include "ui/PhoneEdit.h"
#include "ui/PictureBox.h"
#include "ui/SentenceBox.h"
#include "ui/Skin.h"
#include "ui/StatusBar.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTextDocument>
#include <QTimer>

#include <type_traits>
#include <variant>

TForm1* Form1 = nullptr;

namespace {

constexpr int kFieldHeight = 21;
constexpr int kCheckHeight = 17;

// Where a table row's field is kept: the member's type says which kind of field it is made as,
// so a row pointing at a member of another kind does not compile.
template <class Owner>
using FieldTarget = std::variant<QLineEdit * Owner::*, ui::PhoneEdit * Owner::*, ui::DateField * Owner::*,
                                 ui::ListField * Owner::*>;

// One entry field of a page: its label above it and the field itself.
template <class Owner> struct FieldRow {
    const char* name; // "%1" stands for the page number on the repeated pages
    FieldTarget<Owner> target;
    const char* label;
    QPoint labelAt;
    QPoint fieldAt;
    int width;
    const char* hint;
    QStringList items = {};
};

const QStringList& states()
{
    static const QStringList s = {"AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO",
                                  "MA", "MT", "MS", "MG", "PA", "PB", "PR", "PE", "PI",
                                  "RJ", "RN", "RS", "RO", "RR", "SC", "SP", "SE", "TO"};
    return s;
}

// "Dados Principais", before and after the address group.
const std::vector<FieldRow<TForm1>>& personalRows()
{
    static const std::vector<FieldRow<TForm1>> rows = {
        {"edt_nome",
         &TForm1::edt_nome,
         "Digite o seu nome:",
         {8, 8},
         {8, 24},
         465,
         "Digite o seu nome completo"},
        {"edt_nasc", &TForm1::edt_nasc, "Nascimento", {8, 51}, {8, 64}, 86, "Data do seu nascimento"},
        {"edt_sexo",
         &TForm1::edt_sexo,
         "Sexo",
         {104, 51},
         {104, 64},
         89,
         "Escolha o seu sexo",
         {"Masculino", "Feminino"}},
        {"edt_ec",
         &TForm1::edt_ec,
         "Estado Civil",
         {200, 51},
         {200, 64},
         97,
         "Escolha o seu estado civil",
         {"Solteiro", "Casado", "Divorciado", "Viúvo"}},
        {"edt_tel1",
         &TForm1::edt_tel1,
         "Telefone 1",
         {304, 51},
         {304, 64},
         79,
         "Digite o seu telefone principal"},
        {"edt_tel2", &TForm1::edt_tel2, "Telefone 2", {392, 51}, {392, 64}, 79, "Digite outro telefone"},
    };
    return rows;
}

const std::vector<FieldRow<TForm1>>& personalRowsAfterAddress()
{
    static const std::vector<FieldRow<TForm1>> rows = {
        {"edt_natural",
         &TForm1::edt_natural,
         "Sua naturalidade",
         {8, 95},
         {8, 109},
         185,
         "Digite a sua naturalidade"},
        {"edt_email", &TForm1::edt_email, "Seu e-mail", {200, 95}, {200, 109}, 273, "Digite o seu email "},
    };
    return rows;
}

const std::vector<FieldRow<TForm1>>& addressRows()
{
    static const std::vector<FieldRow<TForm1>> rows = {
        {"edt_rua",
         &TForm1::edt_rua,
         "Nome da rua",
         {8, 24},
         {8, 40},
         361,
         "Digite o nome da rua que você mora"},
        {"edt_numero",
         &TForm1::edt_numero,
         "Número",
         {376, 24},
         {376, 40},
         81,
         "Digite o numero da sua casa"},
        {"edt_complemento",
         &TForm1::edt_complemento,
         "Complemento (não é necessário)",
         {8, 66},
         {8, 80},
         217,
         "casa, sobrado, apartamento e etc."},
        {"edt_bairro", &TForm1::edt_bairro, "Bairro", {235, 66}, {232, 80}, 225, "Digite o seu bairro"},
        {"edt_cidade", &TForm1::edt_cidade, "Cidade", {8, 106}, {8, 120}, 217, "Digite o nome da cidade"},
        {"edt_uf",
         &TForm1::edt_uf,
         "U.F.",
         {232, 106},
         {232, 120},
         57,
         "Escolha a sigla do seu estado.",
         states()},
    };
    return rows;
}

const std::vector<FieldRow<ExperiencePage>>& experienceRows()
{
    static const std::vector<FieldRow<ExperiencePage>> rows = {
        {"edt_exnome%1",
         &ExperiencePage::edt_exnome,
         "Nome da Empresa",
         {8, 24},
         {8, 40},
         457,
         "Coloque o nome da empresa que você trabalhou."},
        {"edt_excargo%1",
         &ExperiencePage::edt_excargo,
         "Cargo que Ocupava / Função que exercia",
         {8, 72},
         {8, 88},
         457,
         "DIgite a função que você excercia."},
        {"edt_exobs%1",
         &ExperiencePage::edt_exobs,
         "Observações (Tipo da contratação, Motivo da demissão e etc.).",
         {8, 120},
         {8, 136},
         457,
         "Escreva alguma observação que você que você considera importante."},
        {"edt_exentrada%1",
         &ExperiencePage::edt_exentrada,
         "Admissão (entrada)",
         {8, 168},
         {8, 184},
         97,
         "Coloque a data que você começou a trabalhar na empresa."},
        {"edt_exsaida%1",
         &ExperiencePage::edt_exsaida,
         "Demissão (saída)",
         {128, 168},
         {128, 184},
         97,
         "Data que você saiu da empresa."},
        {"edt_extelefone%1",
         &ExperiencePage::edt_extelefone,
         "Telefone da Empresa",
         {360, 168},
         {360, 184},
         105,
         "Telefone da empresa."},
    };
    return rows;
}

const std::vector<FieldRow<TForm1>>& schoolingRows()
{
    static const std::vector<FieldRow<TForm1>> rows = {
        {"edt_escolaridade",
         &TForm1::edt_escolaridade,
         "Escolaridade",
         {16, 16},
         {16, 34},
         145,
         "Escolha o nível de escolaridade que você possui.",
         {"1º Grau Incompleto", "1º Grau Completo", "2º Grau Incompleto", "2º Grau Completo",
          "3º Grau Incompleto", "3º Grau Completo", "Formação Superior"}},
        {"edt_curso",
         &TForm1::edt_curso,
         "Descrição do Curso (Exemplo: Engenharia Civil)",
         {16, 64},
         {16, 80},
         457,
         "Se for ensino superior, digite a descrição do seu curso, ou deixe em branco."},
        {"edt_escola",
         &TForm1::edt_escola,
         "Nome da Escola / Instituto ou Faculdade",
         {16, 112},
         {16, 128},
         457,
         ""},
    };
    return rows;
}

const std::vector<FieldRow<CoursePage>>& courseRows()
{
    static const std::vector<FieldRow<CoursePage>> rows = {
        {"edt_cucurso%1",
         &CoursePage::edt_cucurso,
         "Descrição do Curso",
         {8, 16},
         {8, 32},
         441,
         "Digite a descrição do curso que você fez."},
        {"edt_cuobs%1",
         &CoursePage::edt_cuobs,
         "Observações",
         {8, 64},
         {8, 80},
         441,
         "escreva aqui se houver alguma observação"},
        {"edt_cuescola%1",
         &CoursePage::edt_cuescola,
         "Nome da Escola / Instituto",
         {8, 112},
         {8, 128},
         441,
         "Digite o nome da escola ou instituto que você conclui ou esta concluindo o curso."},
        {"edt_cuduracao%1",
         &CoursePage::edt_cuduracao,
         "Duração do Curso",
         {8, 160},
         {8, 176},
         145,
         "Quanto tempo dura o curso.",
         {"1 Mes", "2 Meses", "3 Meses", "4 Meses", "5 Meses", "6 Meses", "1 Ano", "1 Ano e Meio", "2 Anos",
          "2 Anos e Meio", "3 Anos"}},
    };
    return rows;
}

const std::vector<FieldRow<TForm1>>& informationRows()
{
    static const std::vector<FieldRow<TForm1>> rows = {
        {"edt_rg", &TForm1::edt_rg, "R.G.", {24, 48}, {24, 64}, 193, "Digite o número do seu RG"},
        {"edt_cpf", &TForm1::edt_cpf, "C.P.F.", {256, 48}, {256, 64}, 193, "Número do seu CPF"},
        {"edt_cp",
         &TForm1::edt_cp,
         "Nº da Carteira Profissional",
         {24, 104},
         {24, 120},
         193,
         "Coloque aqui o numero de sua carteria de trabalho."},
        {"edt_te",
         &TForm1::edt_te,
         "Título Eleitoral",
         {256, 104},
         {256, 120},
         193,
         "Numero do seu titulo eleitoral."},
        {"edt_cargo",
         &TForm1::edt_cargo,
         "Cargo Pretendido (ou a combinar)",
         {24, 160},
         {24, 176},
         433,
         "Caso deseje um cargo específico."},
        {"edt_salario",
         &TForm1::edt_salario,
         "Salário Pretendido (ou a combinar)",
         {24, 216},
         {24, 232},
         169,
         "Caso queira estipular o valor mínimo do salário."},
    };
    return rows;
}

// The closing-sentence options.
struct SentenceRow {
    const char* name;
    QString caption;
    int y;
    int width;
    bool arial;
    QCheckBox* TForm1::*box;
};

QString quoted(const char* sentence) { return QStringLiteral("\"%1\"").arg(QString::fromUtf8(sentence)); }

QLabel* makeLabel(QWidget* parent, const QString& text, QPoint at)
{
    auto* label = new QLabel(text, parent);
    label->move(at);
    label->adjustSize();
    return label;
}

// A new, empty field of the widget type `Field`, with the kind the form knows it by.
template <class Field> std::pair<Field*, EntryKind> newField(QWidget* parent, const QStringList& items)
{
    if constexpr (std::is_same_v<Field, QLineEdit>) {
        auto* line = new QLineEdit(parent);
        line->setMaxLength(fieldMaxLength(EntryKind::Text));
        return {line, EntryKind::Text};
    } else if constexpr (std::is_same_v<Field, ui::PhoneEdit>) {
        return {new ui::PhoneEdit(parent), EntryKind::Phone};
    } else if constexpr (std::is_same_v<Field, ui::DateField>) {
        return {new ui::DateField(parent), EntryKind::Date};
    } else {
        static_assert(std::is_same_v<Field, ui::ListField>);
        auto* list = new ui::ListField(parent);
        list->setItems(items);
        return {list, EntryKind::List};
    }
}

// Makes the fields of a table inside `parent` into their members of `owner`, registers them and
// sets their labels and hints. `page` numbers the names of the repeated pages (0: none).
template <class Owner>
void makeFields(QWidget* parent, const std::vector<FieldRow<Owner>>& rows, Owner& owner, int page,
                std::vector<EntryControl>& entries)
{
    for (const FieldRow<Owner>& row : rows) {
        std::visit(
            [&](auto target) {
                using Field = std::remove_pointer_t<std::remove_reference_t<decltype(owner.*target)>>;
                const auto [w, kind] = newField<Field>(parent, row.items);
                w->setObjectName(page > 0 ? QString::fromLatin1(row.name).arg(page)
                                          : QString::fromLatin1(row.name));
                w->setGeometry(row.fieldAt.x(), row.fieldAt.y(), row.width, kFieldHeight);
                w->setToolTip(QString::fromUtf8(row.hint));
                // The label names its field for screen readers; the hint describes it.
                makeLabel(parent, QString::fromUtf8(row.label), row.labelAt)->setBuddy(w);
                w->setAccessibleDescription(w->toolTip());
                entries.push_back({w, kind});
                owner.*target = w;
            },
            row.target);
    }
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QRect& place,
                        const QIcon& glyph, int glyphSize, const char* hint)
{
    return ui::makeButton(parent, name, caption, place, glyph, glyphSize, QString::fromUtf8(hint));
}

// The window's skin: a calm blue-grey window with white fields and blue accents.
const ui::Skin& skin()
{
    static const ui::Skin s{
        .window = QColor(0xe8edf3),
        .pane = QColor(0xf3f6f9),
        .strip = QColor(0xd7dfe8),
        .frame = QColor(0x9aa8b8),
        .caption = QColor(0x123a6e),
        .field = Qt::white,
        .fieldBorder = QColor(0x8c9bab),
        .fieldDisabled = QColor(0xeef1f4),
        .textDisabled = QColor(0x8a949e),
        .focus = Qt::yellow,
        .accent = QColor(0x2f6db5),
        .buttonTop = QColor(0xfdfdfe),
        .buttonBottom = QColor(0xd9e1ea),
        .buttonBorder = QColor(0x7f8fa3),
        .buttonPressed = QColor(0xc9d4e0),
        .partTop = QColor(0xfdfdfe),
        .partBottom = QColor(0xdfe6ee),
        .partBorder = QColor(0xb6c2cf),
        .partHover = QColor(0xd6e4f3),
        .arrow = QColor(0x2b3f57),
        .arrowDisabled = QColor(0xa3adb8),
    };
    return s;
}

QWidget* makePage(QTabWidget* pages, const char* name, const QString& caption)
{
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    pages->addTab(page, caption);
    return page;
}

} // namespace

TForm1::TForm1(const Environment& env, QWidget* parent) : QMainWindow(parent), m_env(env)
{
    Form1 = this;
    setObjectName(QStringLiteral("Form1"));
    buildForm();
    buildMenu();
    // Not resizable: the window keeps the size of its menu and client area (the least and the
    // largest size agree, which tells the window manager), so it cannot be maximised either.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
    wireEvents();
    m_formData = new FormBinding(*this);
    ui::guarded([this] { FormCreate(); });
}

TForm1::~TForm1()
{
    // The file dialogs are descriptions, not widgets: no parent frees them.
    delete OpenPictureDialog1;
    delete OpenDialog1;
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::buildForm()
{
    setWindowTitle(QStringLiteral("Sovranel 3.1 - Crie o seu currículo com facilidade!"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    QFont windowFont = ui::formFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPixelSize(11);
    setFont(windowFont);
    // The skin first, so that every control is measured and drawn in it from the start.
    ui::applySkin(this, skin());

    imagens = {ui::themeIcon("folder-open", QStyle::SP_DirOpenIcon),
               ui::themeIcon("document-print-preview", QStyle::SP_FileDialogContentsView),
               ui::floppyGlyph(), // the desktop's "save" picture may be anything, a download arrow even
               ui::themeIcon("document-new", QStyle::SP_FileIcon),
               ui::themeIcon("applications-internet", QStyle::SP_DriveNetIcon)};

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(506, 443);
    setCentralWidget(client);

    PageControl1 = new QTabWidget(client);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(4, 4, 498, 325);
    PageControl1->tabBar()->setCursor(Qt::PointingHandCursor);
    PageControl1->setUsesScrollButtons(false);

    buildPersonalPage();
    buildExperiencePages();
    buildSchoolingPage();
    buildCoursePages();
    buildPhotoPage();
    buildInformationPage();
    buildSentencePage();
    buildButtons(client);
    buildFooter(client);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    OpenPictureDialog1 = new ui::OpenFileDialog;
    OpenPictureDialog1->title = QStringLiteral("Escolha uma Foto para o seu Curriculo!");
    OpenPictureDialog1->filter = QStringLiteral(
        "All (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|JPEG Image File (*.jpg)|*.jpg|JPEG Image File "
        "(*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp");
    OpenDialog1 = new ui::OpenFileDialog;
    OpenDialog1->filter = QStringLiteral("Curriculo (*.qrp)|*.qrp");
    OpenDialog1->listHiddenFiles = true; // a résumé saved with an empty name is ".QRP"

    PageControl1->setCurrentIndex(0);

    // The sentences fitted in the skin's spacing, and the balloon hints' own timing as the
    // window loads them.
    for (QCheckBox* sentence : {frase1, frase2, frase3})
        ui::fitCaption(sentence);
    ui::Application::setHintPause(500);
    ui::Application::setHintHidePause(3000);
    Timer1->start();
}

// "Dados Principais": the person, the address group, birthplace and e-mail.
void TForm1::buildPersonalPage()
{
    TabSheet1 = makePage(PageControl1, "TabSheet1", QStringLiteral("Dados Principais"));
    makeFields(TabSheet1, personalRows(), *this, 0, m_entries);
    edt_nasc->setDate(QDate(1985, 1, 1));

    GroupBox1 = new QGroupBox(QStringLiteral("Informe o seu endereço"), TabSheet1);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(5, 136, 465, 153);
    makeFields(GroupBox1, addressRows(), *this, 0, m_entries);

    makeFields(TabSheet1, personalRowsAfterAddress(), *this, 0, m_entries);
}

// "Experiências Profissionais": five pages of the same fields.
void TForm1::buildExperiencePages()
{
    TabSheet2 = makePage(PageControl1, "TabSheet2", QStringLiteral("Experiências Profissionais"));
    PageControl2 = new QTabWidget(TabSheet2);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    PageControl2->setGeometry(5, 16, 481, 249);
    for (int n = 1; n <= 5; ++n) {
        ExperiencePage& e = experiencias[size_t(n - 1)];
        e.TabSheet = makePage(PageControl2, QStringLiteral("TabSheet%1").arg(n + 2).toLatin1().constData(),
                              QStringLiteral("%1ª Experiência").arg(n));
        makeFields(e.TabSheet, experienceRows(), e, n, m_entries);
        e.edt_exentrada->setDate(QDate(2009, 5, 24));
        e.edt_exsaida->setDate(QDate(2009, 5, 24));
        e.edt_exsaida->setEnabled(false);
        e.edt_extelefone->setUpperCase(true);
        e.informar_saida = new QCheckBox(QStringLiteral("Informar saída"), e.TabSheet);
        e.informar_saida->setObjectName(n == 1 ? QStringLiteral("informar_saida")
                                               : QStringLiteral("informar_saida%1").arg(n));
        e.informar_saida->setGeometry(237, 185, n == 1 ? 113 : 97, kCheckHeight);
        e.informar_saida->setToolTip(QStringLiteral("Informa e habilita a data de saída"));
    }
}

// "Escolaridade".
void TForm1::buildSchoolingPage()
{
    TabSheet8 = makePage(PageControl1, "TabSheet8", QStringLiteral("Escolaridade"));
    makeFields(TabSheet8, schoolingRows(), *this, 0, m_entries);
    // The list stands at the top but comes last in the tab order.
    setTabOrder(edt_curso, edt_escola);
    setTabOrder(edt_escola, edt_escolaridade);
}

// "Cursos": five pages of the same fields.
void TForm1::buildCoursePages()
{
    TabSheet9 = makePage(PageControl1, "TabSheet9", QStringLiteral("Cursos"));
    PageControl3 = new QTabWidget(TabSheet9);
    PageControl3->setObjectName(QStringLiteral("PageControl3"));
    PageControl3->setGeometry(11, 16, 465, 273);
    for (int n = 1; n <= 5; ++n) {
        CoursePage& c = cursos[size_t(n - 1)];
        c.TabSheet = makePage(PageControl3, QStringLiteral("TabSheet%1").arg(n + 9).toLatin1().constData(),
                              QStringLiteral("%1º Curso").arg(n));
        makeFields(c.TabSheet, courseRows(), c, n, m_entries);
    }
}

// "Foto": the picture and its three buttons.
void TForm1::buildPhotoPage()
{
    TabSheet15 = makePage(PageControl1, "TabSheet15", QStringLiteral("Foto"));
    QLabel* photoNote = makeLabel(
        TabSheet15, QStringLiteral("Tire uma foto ou procure uma que já existe! (Não é Obrigatório)"),
        {101, 8});
    Image1 = new ui::PictureBox(TabSheet15);
    photoNote->setBuddy(Image1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(133, 24, 225, 209);
    Bevel1 = new QFrame(TabSheet15);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Bevel1->setGeometry(133, 24, 225, 209);
    Bevel1->setAttribute(Qt::WA_TransparentForMouseEvents);
    BitBtn1 = makeButton(TabSheet15, "BitBtn1", QStringLiteral("Usar a WebCam"), {48, 248, 132, 33},
                         ui::themeIcon("camera-web", QStyle::SP_ComputerIcon), 24,
                         "Clique aqui para tirar uma foto usando a Web Cam.");
    BitBtn2 = makeButton(TabSheet15, "BitBtn2", QStringLiteral("Procurar uma Foto"), {189, 248, 132, 33},
                         ui::themeIcon("folder-pictures", QStyle::SP_DirOpenIcon), 24,
                         "Clique aqui para procurar uma foto que esta no computador ou pen drive.");
    BitBtn5 =
        makeButton(TabSheet15, "BitBtn5", QStringLiteral("Excluir Foto"), {328, 248, 132, 33},
                   ui::themeIcon("user-trash", QStyle::SP_TrashIcon), 24, "Clique aqui para remover a foto.");
}

// "Informações": documents and the job wanted.
void TForm1::buildInformationPage()
{
    TabSheet16 = makePage(PageControl1, "TabSheet16", QStringLiteral("Informações"));
    QLabel* note = makeLabel(
        TabSheet16, QStringLiteral("Para algumas empresas, essas informações são necessárias."), {88, 24});
    QFont u = note->font();
    u.setUnderline(true);
    note->setFont(u);
    note->adjustSize();
    makeFields(TabSheet16, informationRows(), *this, 0, m_entries);
}

// "Frase": the closing sentence, chosen or typed.
void TForm1::buildSentencePage()
{
    TabSheet17 = makePage(PageControl1, "TabSheet17", QStringLiteral("Frase"));
    QLabel* note =
        makeLabel(TabSheet17,
                  QStringLiteral(
                      "Escolha ou digite uma frase para complementar o seu curriculo. (Não é obrigatório). "),
                  {47, 36});
    QFont u = note->font();
    u.setUnderline(true);
    note->setFont(u);
    note->adjustSize();
    const SentenceRow sentences[] = {
        {"frase1", quoted("Coloco-me à disposição para uma entrevista ou possível contratação."), 89, 457,
         true, &TForm1::frase1},
        {"frase2", quoted("Busco novas experiências e conhecimentos para ser um profissional qualificado."),
         121, 449, true, &TForm1::frase2},
        {"frase3",
         quoted("Buscarei contribuir com o meu conhecimento e experiência para o crescimento da empresa."),
         153, 468, true, &TForm1::frase3},
        {"frase4", QStringLiteral("Usar a frase que eu escrever abaixo:"), 185, 273, false, &TForm1::frase4},
    };
    for (const SentenceRow& s : sentences) {
        auto* box = new QCheckBox(s.caption, TabSheet17);
        box->setObjectName(QString::fromLatin1(s.name));
        box->setGeometry(16, s.y, s.width, kCheckHeight);
        box->setCursor(Qt::PointingHandCursor);
        if (s.arial) {
            QFont arial = ui::formFont(QStringLiteral("Arial"));
            arial.setPointSize(8);
            box->setFont(arial);
        }
        this->*s.box = box;
    }
    frase = new ui::SentenceBox(TabSheet17);
    frase->setObjectName(QStringLiteral("frase"));
    frase->setGeometry(35, 204, 441, 53);
    frase->setMaxLength(fieldMaxLength(EntryKind::Sentence));
    frase->setEnabled(false);
    // The option above the box is what a sighted user reads as its label.
    frase->setAccessibleName(frase4->text());
    m_entries.push_back({frase, EntryKind::Sentence});
    setTabOrder(frase3, frase);
    setTabOrder(frase, frase4);
}

// The buttons below the pages, made in their tab order.
void TForm1::buildButtons(QWidget* client)
{
    BitBtn3 = makeButton(client, "BitBtn3", QStringLiteral("Gerar Curriculo!"), {381, 333, 121, 22},
                         imagens[1], 16, "Gera o seu currículo para ser impresso.");
    BitBtn4 = makeButton(client, "BitBtn4", QStringLiteral("Limpar Campos"), {257, 333, 120, 22}, imagens[3],
                         16, "Limpa todos os campos preenchidos.");
    BitBtn6 = makeButton(client, "BitBtn6", QStringLiteral("Salvar (QRP)"), {132, 333, 121, 22}, imagens[2],
                         16, "Salva o Curriculo pronto para ser impresso.");
    BitBtn7 = makeButton(client, "BitBtn7", QStringLiteral("Abrir (QRP)"), {5, 333, 124, 22}, imagens[0], 16,
                         "Abre um Currículo já gerado pelo Sovranel 3.0");
}

// The banner, the status bar and the progress bar under the buttons.
void TForm1::buildFooter(QWidget* client)
{
    // Banner area: the browser is larger than its panel, which crops its frame and scroll bars.
    painel_browser = new QFrame(client);
    painel_browser->setObjectName(QStringLiteral("painel_browser"));
    painel_browser->setFrameShape(QFrame::NoFrame);
    painel_browser->setGeometry(6, 359, 493, 61);
    // The banner browser stays hidden until the on-line step loads a page into it.
    propagandas = new net::WebView(&net::remote::fetcher(), painel_browser);
    propagandas->setObjectName(QStringLiteral("propagandas"));
    propagandas->setGeometry(-13, -18, 527, 100);
    // Only the frame and the scroll bars are cropped: the page lies within the part of the
    // view that the panel shows.
    propagandas->setContentMargins({13, 18, 527 - 13 - 493, 100 - 18 - 61});
    propagandas->document()->setDocumentMargin(2); // four lines of text fit the 61 pixels
    propagandas->setToolTip(QStringLiteral("Região reservada para navegação com acesso à internet."));
    propagandas->setVisible(false);

    StatusBar1 = new ui::StatusBar({300, 40}, client);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setGeometry(0, 443 - 23, 506, 23);

    Progresso = new QProgressBar(client);
    Progresso->setObjectName(QStringLiteral("Progresso"));
    Progresso->setGeometry(302, 422, 200, 19);
    Progresso->setRange(0, 100);
    Progresso->setValue(0);
    Progresso->setTextVisible(false);
    Progresso->setVisible(false);
}

void TForm1::buildMenu()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    // The menu bar in the desktop's menu font, as menus are, not in the form's.
    MainMenu1->setFont(QApplication::font(MainMenu1));
    Curriculo1 = MainMenu1->addMenu(QStringLiteral("Curriculo"));
    Curriculo1->setObjectName(QStringLiteral("Curriculo1"));
    auto item = [](QMenu* menu, const char* name, const QString& caption, const QIcon& icon) {
        QAction* a = menu->addAction(icon, caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    GerarCurrculo1 = item(Curriculo1, "GerarCurrculo1", QStringLiteral("Gerar Currículo!"), imagens[1]);
    LimparCampos1 = item(Curriculo1, "LimparCampos1", QStringLiteral("Limpar Campos"), imagens[3]);
    N1 = Curriculo1->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    N2 = item(Curriculo1, "N2", QStringLiteral("Salvar Currículo (QRP)"), imagens[2]);
    N3 = Curriculo1->addSeparator();
    N3->setObjectName(QStringLiteral("N3"));
    AbrirCurrculo1 = item(Curriculo1, "AbrirCurrculo1", QStringLiteral("Abrir Currículo (QRP)"), imagens[0]);
    N4 = Curriculo1->addSeparator();
    N4->setObjectName(QStringLiteral("N4"));
    NovoCurrculo1 = item(Curriculo1, "NovoCurrculo1", QStringLiteral("Novo Currículo"), imagens[3]);
    NovoCurrculo1->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    SalvarDados1 = item(Curriculo1, "SalvarDados1", QStringLiteral("Salvar Dados do Currículo…"), imagens[2]);
    SalvarDados1->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    AbrirDados1 = item(Curriculo1, "AbrirDados1", QStringLiteral("Abrir Dados do Currículo…"), imagens[0]);
    AbrirDados1->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    Atualizar1 = MainMenu1->addMenu(QStringLiteral("Atualizar"));
    Atualizar1->setObjectName(QStringLiteral("Atualizar1"));
    ProcurarAtualizaes1 =
        item(Atualizar1, "ProcurarAtualizaes1", QStringLiteral("Procurar Atualizações"), imagens[4]);
    // "Sobre" is a command of the menu bar itself.
    Sobre1 = MainMenu1->addAction(QStringLiteral("Sobre"));
    Sobre1->setObjectName(QStringLiteral("Sobre1"));
}

void TForm1::wireEvents()
{
    // Every handler runs guarded: a failure it throws ends in the standard error box.
    auto on = [this](auto* sender, auto signal, void (TForm1::*handler)()) {
        connect(sender, signal, this, ui::guard(this, handler));
    };
    on(Timer1, &QTimer::timeout, &TForm1::Timer1Timer);
    on(BitBtn3, &QPushButton::clicked, &TForm1::BitBtn3Click);
    on(GerarCurrculo1, &QAction::triggered, &TForm1::GerarCurrculo1Click);
    on(BitBtn4, &QPushButton::clicked, &TForm1::BitBtn4Click);
    on(LimparCampos1, &QAction::triggered, &TForm1::LimparCampos1Click);
    on(BitBtn6, &QPushButton::clicked, &TForm1::BitBtn6Click);
    on(N2, &QAction::triggered, &TForm1::N2Click);
    on(BitBtn7, &QPushButton::clicked, &TForm1::BitBtn7Click);
    on(AbrirCurrculo1, &QAction::triggered, &TForm1::AbrirCurrculo1Click);
    on(NovoCurrculo1, &QAction::triggered, &TForm1::NovoCurrculo1Click);
    on(SalvarDados1, &QAction::triggered, &TForm1::SalvarDados1Click);
    on(AbrirDados1, &QAction::triggered, &TForm1::AbrirDados1Click);
    on(ProcurarAtualizaes1, &QAction::triggered, &TForm1::ProcurarAtualizaes1Click);
    on(Sobre1, &QAction::triggered, &TForm1::Sobre1Click);
    on(BitBtn1, &QPushButton::clicked, &TForm1::BitBtn1Click);
    on(BitBtn2, &QPushButton::clicked, &TForm1::BitBtn2Click);
    on(BitBtn5, &QPushButton::clicked, &TForm1::BitBtn5Click);
    // The options' handlers run on every change of the tick, the program's own included.
    on(frase1, &QCheckBox::toggled, &TForm1::frase1Click);
    on(frase2, &QCheckBox::toggled, &TForm1::frase2Click);
    on(frase3, &QCheckBox::toggled, &TForm1::frase3Click);
    on(frase4, &QCheckBox::toggled, &TForm1::frase4Click);
    for (int n = 1; n <= 5; ++n)
        connect(experiencias[size_t(n - 1)].informar_saida, &QCheckBox::toggled, this,
                ui::guard([this, n] { informar_saidaClick(n); }));
    wireNavigation();
    wireActions();
}

void TForm1::FormCreate()
{
    ui::Application::setHintColor(QColor(0, 255, 255)); // clAqua
    ui::Application::setHintPause(1);
    ui::Application::setHintShortPause(1);
    VerificarVersaoOnline();
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The window system's own show events (a restore after minimising) are no new showing:
    // the user finds the page where they left it.
    if (!event->spontaneous())
        ui::guarded([this] { FormShow(); });
}

void TForm1::FormShow() { PageControl1->setCurrentWidget(TabSheet1); }

void TForm1::Timer1Timer()
{
    if (!m_noticeShown.hasExpired())
        return;
    const QDateTime now = m_env.now();
    const QTime t = now.time();
    QString greeting;
    if (t < QTime(12, 0))
        greeting = QStringLiteral("  Bom dia! Hoje é ");
    else if (t < QTime(18, 0))
        greeting = QStringLiteral("  Boa tarde! Hoje é ");
    else
        greeting = QStringLiteral("  Boa noite! Hoje é ");
    const QString date = QLocale().toString(now.date(), QStringLiteral("dddd', 'dd' de 'MMMM' de  'yyyy"));
    StatusBar1->setPanelText(0, greeting + date);
}

void TForm1::showStatusNotice(const QString& text, int ms)
{
    StatusBar1->setPanelText(0, text);
    m_noticeShown.setRemainingTime(ms);
}

void TForm1::Sobre1Click() { sobre->exec(); }

void TForm1::BitBtn6Click() { frm_salvar->exec(); }

void TForm1::N2Click() { BitBtn6Click(); }
