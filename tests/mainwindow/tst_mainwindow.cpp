// The main window as the user meets it: its pages and controls, the greeting, and the
// program's start-up with its splash.
#include "Artwork.h"
#include "Program.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "Unit5.h"
#include "Unit6.h"
#include "Unit7.h"

#include "net/WebView.h"
#include "ui/Application.h"
#include "ui/DateField.h"
#include "ui/Dialogs.h"
#include "ui/FolderList.h"
#include "ui/ListField.h"
#include "ui/Look.h"
#include "ui/OpenFileDialog.h"
#include "ui/PhoneEdit.h"
#include "ui/PictureBox.h"
#include "ui/SentenceBox.h"
#include "ui/StatusBar.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <map>
#include <memory>
#include <stdexcept>

Q_DECLARE_METATYPE(EntryKind)

namespace {

const QStringList kStates = {"AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO",
                             "MA", "MT", "MS", "MG", "PA", "PB", "PR", "PE", "PI",
                             "RJ", "RN", "RS", "RO", "RR", "SC", "SP", "SE", "TO"};
const QStringList kDurations = {"1 Mes", "2 Meses",      "3 Meses", "4 Meses",       "5 Meses", "6 Meses",
                                "1 Ano", "1 Ano e Meio", "2 Anos",  "2 Anos e Meio", "3 Anos"};
const QStringList kSchooling = {"1º Grau Incompleto", "1º Grau Completo",   "2º Grau Incompleto",
                                "2º Grau Completo",   "3º Grau Incompleto", "3º Grau Completo",
                                "Formação Superior"};

// One entry control as the form describes it.
struct Row {
    QString name;
    EntryKind kind;
    QString parent;
    QString label;
    QPoint labelAt;
    QPoint at;
    int width;
    QString hint;
    QStringList items = {};
};

// Every entry control of the window, in the order of its pages' tables.
std::vector<Row> formRows()
{
    using K = EntryKind;
    std::vector<Row> rows = {
        {"edt_nome",
         K::Text,
         "TabSheet1",
         "Digite o seu nome:",
         {8, 8},
         {8, 24},
         465,
         "Digite o seu nome completo"},
        {"edt_nasc", K::Date, "TabSheet1", "Nascimento", {8, 51}, {8, 64}, 86, "Data do seu nascimento"},
        {"edt_sexo",
         K::List,
         "TabSheet1",
         "Sexo",
         {104, 51},
         {104, 64},
         89,
         "Escolha o seu sexo",
         {"Masculino", "Feminino"}},
        {"edt_ec",
         K::List,
         "TabSheet1",
         "Estado Civil",
         {200, 51},
         {200, 64},
         97,
         "Escolha o seu estado civil",
         {"Solteiro", "Casado", "Divorciado", "Viúvo"}},
        {"edt_tel1",
         K::Phone,
         "TabSheet1",
         "Telefone 1",
         {304, 51},
         {304, 64},
         79,
         "Digite o seu telefone principal"},
        {"edt_tel2", K::Phone, "TabSheet1", "Telefone 2", {392, 51}, {392, 64}, 79, "Digite outro telefone"},
        {"edt_rua",
         K::Text,
         "GroupBox1",
         "Nome da rua",
         {8, 24},
         {8, 40},
         361,
         "Digite o nome da rua que você mora"},
        {"edt_numero",
         K::Text,
         "GroupBox1",
         "Número",
         {376, 24},
         {376, 40},
         81,
         "Digite o numero da sua casa"},
        {"edt_complemento",
         K::Text,
         "GroupBox1",
         "Complemento (não é necessário)",
         {8, 66},
         {8, 80},
         217,
         "casa, sobrado, apartamento e etc."},
        {"edt_bairro", K::Text, "GroupBox1", "Bairro", {235, 66}, {232, 80}, 225, "Digite o seu bairro"},
        {"edt_cidade", K::Text, "GroupBox1", "Cidade", {8, 106}, {8, 120}, 217, "Digite o nome da cidade"},
        {"edt_uf",
         K::List,
         "GroupBox1",
         "U.F.",
         {232, 106},
         {232, 120},
         57,
         "Escolha a sigla do seu estado.",
         kStates},
        {"edt_natural",
         K::Text,
         "TabSheet1",
         "Sua naturalidade",
         {8, 95},
         {8, 109},
         185,
         "Digite a sua naturalidade"},
        {"edt_email", K::Text, "TabSheet1", "Seu e-mail", {200, 95}, {200, 109}, 273, "Digite o seu email "},
    };
    for (int n = 1; n <= 5; ++n) {
        const QString page = QStringLiteral("TabSheet%1").arg(n + 2);
        const auto N = [n](const char* name) { return QString::fromLatin1(name) + QString::number(n); };
        rows.push_back({N("edt_exnome"),
                        K::Text,
                        page,
                        "Nome da Empresa",
                        {8, 24},
                        {8, 40},
                        457,
                        "Coloque o nome da empresa que você trabalhou."});
        rows.push_back({N("edt_excargo"),
                        K::Text,
                        page,
                        "Cargo que Ocupava / Função que exercia",
                        {8, 72},
                        {8, 88},
                        457,
                        "DIgite a função que você excercia."});
        rows.push_back({N("edt_exobs"),
                        K::Text,
                        page,
                        "Observações (Tipo da contratação, Motivo da demissão e etc.).",
                        {8, 120},
                        {8, 136},
                        457,
                        "Escreva alguma observação que você que você considera importante."});
        rows.push_back({N("edt_exentrada"),
                        K::Date,
                        page,
                        "Admissão (entrada)",
                        {8, 168},
                        {8, 184},
                        97,
                        "Coloque a data que você começou a trabalhar na empresa."});
        rows.push_back({N("edt_exsaida"),
                        K::Date,
                        page,
                        "Demissão (saída)",
                        {128, 168},
                        {128, 184},
                        97,
                        "Data que você saiu da empresa."});
        rows.push_back({N("edt_extelefone"),
                        K::Phone,
                        page,
                        "Telefone da Empresa",
                        {360, 168},
                        {360, 184},
                        105,
                        "Telefone da empresa."});
    }
    rows.push_back({"edt_escolaridade",
                    K::List,
                    "TabSheet8",
                    "Escolaridade",
                    {16, 16},
                    {16, 34},
                    145,
                    "Escolha o nível de escolaridade que você possui.",
                    kSchooling});
    rows.push_back({"edt_curso",
                    K::Text,
                    "TabSheet8",
                    "Descrição do Curso (Exemplo: Engenharia Civil)",
                    {16, 64},
                    {16, 80},
                    457,
                    "Se for ensino superior, digite a descrição do seu curso, ou deixe em branco."});
    rows.push_back({"edt_escola",
                    K::Text,
                    "TabSheet8",
                    "Nome da Escola / Instituto ou Faculdade",
                    {16, 112},
                    {16, 128},
                    457,
                    ""});
    for (int n = 1; n <= 5; ++n) {
        const QString page = QStringLiteral("TabSheet%1").arg(n + 9);
        const auto N = [n](const char* name) { return QString::fromLatin1(name) + QString::number(n); };
        rows.push_back({N("edt_cucurso"),
                        K::Text,
                        page,
                        "Descrição do Curso",
                        {8, 16},
                        {8, 32},
                        441,
                        "Digite a descrição do curso que você fez."});
        rows.push_back({N("edt_cuobs"),
                        K::Text,
                        page,
                        "Observações",
                        {8, 64},
                        {8, 80},
                        441,
                        "escreva aqui se houver alguma observação"});
        rows.push_back({N("edt_cuescola"),
                        K::Text,
                        page,
                        "Nome da Escola / Instituto",
                        {8, 112},
                        {8, 128},
                        441,
                        "Digite o nome da escola ou instituto que você conclui ou esta concluindo o curso."});
        rows.push_back({N("edt_cuduracao"),
                        K::List,
                        page,
                        "Duração do Curso",
                        {8, 160},
                        {8, 176},
                        145,
                        "Quanto tempo dura o curso.",
                        kDurations});
    }
    const std::vector<Row> information = {
        {"edt_rg", K::Text, "TabSheet16", "R.G.", {24, 48}, {24, 64}, 193, "Digite o número do seu RG"},
        {"edt_cpf", K::Text, "TabSheet16", "C.P.F.", {256, 48}, {256, 64}, 193, "Número do seu CPF"},
        {"edt_cp",
         K::Text,
         "TabSheet16",
         "Nº da Carteira Profissional",
         {24, 104},
         {24, 120},
         193,
         "Coloque aqui o numero de sua carteria de trabalho."},
        {"edt_te",
         K::Text,
         "TabSheet16",
         "Título Eleitoral",
         {256, 104},
         {256, 120},
         193,
         "Numero do seu titulo eleitoral."},
        {"edt_cargo",
         K::Text,
         "TabSheet16",
         "Cargo Pretendido (ou a combinar)",
         {24, 160},
         {24, 176},
         433,
         "Caso deseje um cargo específico."},
        {"edt_salario",
         K::Text,
         "TabSheet16",
         "Salário Pretendido (ou a combinar)",
         {24, 216},
         {24, 232},
         169,
         "Caso queira estipular o valor mínimo do salário."},
    };
    rows.insert(rows.end(), information.begin(), information.end());
    return rows;
}

// The control that has the keyboard focus, named as the form names it (inner parts of a
// control, such as a date field's line or a page control's tab bar, stand for the control).
QString focusName()
{
    QWidget* w = QApplication::focusWidget();
    while (w && (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))))
        w = w->parentWidget();
    return w ? w->objectName() : QString();
}

QLabel* findLabel(QWidget* parent, QPoint at)
{
    for (QLabel* l : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (l->pos() == at)
            return l;
    return nullptr;
}

// An environment without capture devices: the start-up tests need no camera stack.
Environment withoutDevices()
{
    Environment env;
    env.videoSource = {};
    return env;
}

// Every dialog of the windows, recorded and answered with OK.
struct DialogRecorder {
    QList<ui::DialogRequest> seen;
    DialogRecorder()
    {
        ui::setDialogHook([this](const ui::DialogRequest& r) {
            seen << r;
            return ui::DialogButton::Ok;
        });
    }
    ~DialogRecorder() { ui::setDialogHook({}); }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
    DialogRecorder* m_dialogs = nullptr;
    std::unique_ptr<TForm1> m_form;

    TForm1& form()
    {
        if (!m_form)
            m_form = std::make_unique<TForm1>();
        return *m_form;
    }

  private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
        ui::Application::setTitle(QStringLiteral("Sovranel 3.1"));
    }
    void init() { m_dialogs = new DialogRecorder; }
    void cleanup()
    {
        m_form.reset();
        delete m_dialogs;
        m_dialogs = nullptr;
    }

    void entryControlsAsTheFormDescribesThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<EntryKind>("kind");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QPoint>("labelAt");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QStringList>("items");
        for (const Row& r : formRows())
            QTest::newRow(qPrintable(r.name)) << r.name << r.kind << r.parent << r.label << r.labelAt
                                              << QRect(r.at, QSize(r.width, 21)) << r.hint << r.items;
    }
    void entryControlsAsTheFormDescribesThem()
    {
        QFETCH(QString, name);
        QFETCH(EntryKind, kind);
        QFETCH(QString, parent);
        QFETCH(QString, label);
        QFETCH(QPoint, labelAt);
        QFETCH(QRect, place);
        QFETCH(QString, hint);
        QFETCH(QStringList, items);

        auto* w = form().findChild<QWidget*>(name);
        QVERIFY2(w, qPrintable(name));
        QCOMPARE(w->parentWidget()->objectName(), parent);
        QCOMPARE(w->geometry(), place);
        QCOMPARE(w->toolTip(), hint);

        const auto& entries = form().entryControls();
        const auto entry = std::find_if(entries.begin(), entries.end(),
                                        [w](const EntryControl& e) { return e.widget == w; });
        QVERIFY(entry != entries.end());
        QCOMPARE(entry->kind, kind);

        QLabel* caption = findLabel(w->parentWidget(), labelAt);
        QVERIFY2(caption, "no label at the place");
        QCOMPARE(caption->text(), label);
        QVERIFY2(caption->geometry().right() < w->parentWidget()->width(), "label runs past its page");

        if (kind == EntryKind::List) {
            auto* list = qobject_cast<ui::ListField*>(w);
            QVERIFY(list);
            QStringList shown;
            for (int i = 0; i < list->count(); ++i)
                shown << list->itemText(i);
            QCOMPARE(shown, items);
            QVERIFY(!list->isEditable());
        }
    }

    void entryRegistryFollowsTheFormsOrder()
    {
        QStringList expected;
        for (const Row& r : formRows())
            expected << r.name;
        expected << QStringLiteral("frase");
        QStringList registered;
        for (const EntryControl& e : form().entryControls())
            registered << e.widget->objectName();
        QCOMPARE(registered, expected);
        QCOMPARE(form().entryControls().back().kind, EntryKind::Sentence);
    }

    void otherControlsAsTheFormDescribesThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("hint");
        for (int n = 1; n <= 5; ++n) {
            const QString name =
                n == 1 ? QStringLiteral("informar_saida") : QStringLiteral("informar_saida%1").arg(n);
            QTest::newRow(qPrintable(name))
                << name << "Informar saída" << QRect(237, 185, n == 1 ? 113 : 97, 17)
                << "Informa e habilita a data de saída";
        }
        QTest::newRow("frase1") << "frase1"
                                << "\"Coloco-me à disposição para uma entrevista ou possível contratação.\""
                                << QRect(16, 89, 457, 17) << "";
        QTest::newRow("frase2")
            << "frase2"
            << "\"Busco novas experiências e conhecimentos para ser um profissional qualificado.\""
            << QRect(16, 121, 449, 17) << "";
        QTest::newRow("frase3")
            << "frase3"
            << "\"Buscarei contribuir com o meu conhecimento e experiência para o crescimento da empresa.\""
            << QRect(16, 153, 468, 17) << "";
        QTest::newRow("frase4") << "frase4"
                                << "Usar a frase que eu escrever abaixo:" << QRect(16, 185, 273, 17) << "";
        QTest::newRow("BitBtn1") << "BitBtn1"
                                 << "Usar a WebCam" << QRect(48, 248, 132, 33)
                                 << "Clique aqui para tirar uma foto usando a Web Cam.";
        QTest::newRow("BitBtn2") << "BitBtn2"
                                 << "Procurar uma Foto" << QRect(189, 248, 132, 33)
                                 << "Clique aqui para procurar uma foto que esta no computador ou pen drive.";
        QTest::newRow("BitBtn5") << "BitBtn5"
                                 << "Excluir Foto" << QRect(328, 248, 132, 33)
                                 << "Clique aqui para remover a foto.";
        QTest::newRow("BitBtn7") << "BitBtn7"
                                 << "Abrir (QRP)" << QRect(5, 333, 124, 22)
                                 << "Abre um Currículo já gerado pelo Sovranel 3.0";
        QTest::newRow("BitBtn6") << "BitBtn6"
                                 << "Salvar (QRP)" << QRect(132, 333, 121, 22)
                                 << "Salva o Curriculo pronto para ser impresso.";
        QTest::newRow("BitBtn4") << "BitBtn4"
                                 << "Limpar Campos" << QRect(257, 333, 120, 22)
                                 << "Limpa todos os campos preenchidos.";
        QTest::newRow("BitBtn3") << "BitBtn3"
                                 << "Gerar Curriculo!" << QRect(381, 333, 121, 22)
                                 << "Gera o seu currículo para ser impresso.";
    }
    void otherControlsAsTheFormDescribesThem()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, place);
        QFETCH(QString, hint);
        auto* b = form().findChild<QAbstractButton*>(name);
        QVERIFY2(b, qPrintable(name));
        QCOMPARE(b->text(), caption);
        QCOMPARE(b->geometry(), place);
        QCOMPARE(b->toolTip(), hint);
        b->ensurePolished();
        QCOMPARE(b->cursor().shape(),
                 name.startsWith(QLatin1String("informar")) ? Qt::ArrowCursor : Qt::PointingHandCursor);
        QVERIFY2(b->sizeHint().width() <= b->width(),
                 qPrintable(QStringLiteral("caption cut: needs %1 px").arg(b->sizeHint().width())));
    }

    void windowAndPagesAsTheFormDescribesThem()
    {
        TForm1& f = form();
        QCOMPARE(f.windowTitle(), QStringLiteral("Sovranel 3.1 - Crie o seu currículo com facilidade!"));
        QCOMPARE(f.centralWidget()->size(), QSize(506, 443));
        QCOMPARE(QFontInfo(f.edt_nome->font()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(QFontInfo(f.edt_nome->font()).pixelSize(), 11);

        const struct {
            QTabWidget* pages;
            QRect place;
            QStringList names;
            QStringList captions;
        } controls[] = {
            {f.PageControl1,
             {4, 4, 498, 325},
             {"TabSheet1", "TabSheet2", "TabSheet8", "TabSheet9", "TabSheet15", "TabSheet16", "TabSheet17"},
             {"Dados Principais", "Experiências Profissionais", "Escolaridade", "Cursos", "Foto",
              "Informações", "Frase"}},
            {f.PageControl2,
             {5, 16, 481, 249},
             {"TabSheet3", "TabSheet4", "TabSheet5", "TabSheet6", "TabSheet7"},
             {"1ª Experiência", "2ª Experiência", "3ª Experiência", "4ª Experiência", "5ª Experiência"}},
            {f.PageControl3,
             {11, 16, 465, 273},
             {"TabSheet10", "TabSheet11", "TabSheet12", "TabSheet13", "TabSheet14"},
             {"1º Curso", "2º Curso", "3º Curso", "4º Curso", "5º Curso"}},
        };
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        for (const auto& c : controls) {
            QCOMPARE(c.pages->geometry(), c.place);
            QCOMPARE(c.pages->count(), c.names.size());
            QCOMPARE(c.pages->currentIndex(), 0);
            QTabBar* bar = c.pages->tabBar();
            // Every tab at its full size and inside the page control: no caption cut.
            QVERIFY2(bar->sizeHint().width() <= c.pages->width(),
                     qPrintable(QStringLiteral("tabs need %1 px").arg(bar->sizeHint().width())));
            for (int i = 0; i < c.pages->count(); ++i) {
                QCOMPARE(c.pages->widget(i)->objectName(), c.names[i]);
                QCOMPARE(c.pages->tabText(i), c.captions[i]);
                QVERIFY2(bar->mapTo(c.pages, bar->tabRect(i).topRight()).x() < c.pages->width(),
                         qPrintable(c.captions[i]));
            }
        }
        QCOMPARE(f.PageControl1->tabBar()->cursor().shape(), Qt::PointingHandCursor);

        QCOMPARE(f.GroupBox1->title(), QStringLiteral("Informe o seu endereço"));
        QCOMPARE(f.GroupBox1->geometry(), QRect(5, 136, 465, 153));
        QCOMPARE(f.Image1->geometry(), QRect(133, 24, 225, 209));
        QCOMPARE(f.Bevel1->geometry(), QRect(133, 24, 225, 209));
        QCOMPARE(f.frase->geometry(), QRect(35, 204, 441, 53));
        QCOMPARE(f.frase->maxLength(), 150);
        QCOMPARE(f.painel_browser->geometry(), QRect(6, 359, 493, 61));
        QCOMPARE(f.propagandas->geometry(), QRect(-13, -18, 527, 100));
        QCOMPARE(f.propagandas->toolTip(),
                 QStringLiteral("Região reservada para navegação com acesso à internet."));
        QCOMPARE(f.Progresso->geometry(), QRect(302, 422, 200, 19));
        QCOMPARE(f.StatusBar1->geometry(), QRect(0, 420, 506, 23));
        QCOMPARE(f.StatusBar1->panelCount(), 2);
        for (QCheckBox* sentence : {f.frase1, f.frase2, f.frase3}) {
            QCOMPARE(QFontInfo(sentence->font()).family(), QStringLiteral("Liberation Sans"));
            QCOMPARE(sentence->font().pointSize(), 8);
        }

        const struct {
            QString page;
            QPoint at;
            QString text;
            bool underlined;
        } notes[] = {
            {"TabSheet15",
             {101, 8},
             "Tire uma foto ou procure uma que já existe! (Não é Obrigatório)",
             false},
            {"TabSheet16", {88, 24}, "Para algumas empresas, essas informações são necessárias.", true},
            {"TabSheet17",
             {47, 36},
             "Escolha ou digite uma frase para complementar o seu curriculo. (Não é obrigatório). ",
             true},
        };
        for (const auto& n : notes) {
            QLabel* l = findLabel(f.findChild<QWidget*>(n.page), n.at);
            QVERIFY2(l, qPrintable(n.page));
            QCOMPARE(l->text(), n.text);
            QCOMPARE(l->font().underline(), n.underlined);
            QVERIFY2(l->geometry().right() < l->parentWidget()->width(), qPrintable(n.text));
        }
    }

    void everyValueShowsWholeInItsField()
    {
        TForm1& f = form();
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        // The room a field gives its text, and the widest text it must show whole.
        const auto check = [](const EntryControl& e, const QString& look) {
            const QString name = e.widget->objectName() + look;
            QWidget* shows = e.kind == EntryKind::Date ? e.widget->findChild<QLineEdit*>() : e.widget;
            const QFontMetrics fm(shows->font());
            QCOMPARE(QFontInfo(shows->font()).family(), QStringLiteral("Liberation Sans"));
            QStringList texts;
            QRect room;
            if (e.kind == EntryKind::Date || e.kind == EntryKind::Phone) {
                auto* line = static_cast<QLineEdit*>(shows);
                QStyleOptionFrame option;
                option.initFrom(line);
                option.lineWidth =
                    line->hasFrame() ? line->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
                room = line->style()
                           ->subElementRect(QStyle::SE_LineEditContents, &option, line)
                           .marginsRemoved(line->textMargins())
                           .adjusted(2, 0, -2, 0); // the line's own margin
                texts << (e.kind == EntryKind::Phone ? line->displayText() : QStringLiteral("28/12/2008"));
            } else if (e.kind == EntryKind::List) {
                auto* list = static_cast<ui::ListField*>(e.widget);
                QStyleOptionComboBox option;
                option.initFrom(list);
                option.editable = false;
                room = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, list);
                for (int i = 0; i < list->count(); ++i)
                    texts << list->itemText(i);
            }
            for (const QString& text : texts)
                QVERIFY2(fm.horizontalAdvance(text) <= room.width(),
                         qPrintable(QStringLiteral("%1 (%5 %6 px): \"%2\" needs %3 px, has %4")
                                        .arg(name, text)
                                        .arg(fm.horizontalAdvance(text))
                                        .arg(room.width())
                                        .arg(QFontInfo(shows->font()).family())
                                        .arg(QFontInfo(shows->font()).pixelSize())));
        };
        for (const EntryControl& e : f.entryControls())
            check(e, QString());
        // The focus highlight re-polishes a field; its parts must take their places again.
        for (const EntryControl& e : f.entryControls()) {
            ui::setHighlighted(e.widget, true);
            check(e, QStringLiteral(" highlighted"));
            ui::setHighlighted(e.widget, false);
            check(e, QStringLiteral(" after the highlight"));
        }
    }

    void menuAsTheFormDescribesIt()
    {
        TForm1& f = form();
        const struct {
            QAction* item;
            QString name;
            QString caption;
            bool hasImage;
        } items[] = {
            {f.GerarCurrculo1, "GerarCurrculo1", "Gerar Currículo!", true},
            {f.LimparCampos1, "LimparCampos1", "Limpar Campos", true},
            {f.N1, "N1", "", false},
            {f.N2, "N2", "Salvar Currículo (QRP)", true},
            {f.N3, "N3", "", false},
            {f.AbrirCurrculo1, "AbrirCurrculo1", "Abrir Currículo (QRP)", true},
            {f.N4, "N4", "", false},
            {f.NovoCurrculo1, "NovoCurrculo1", "Novo Currículo", true},
            {f.SalvarDados1, "SalvarDados1", "Salvar Dados do Currículo…", true},
            {f.AbrirDados1, "AbrirDados1", "Abrir Dados do Currículo…", true},
        };
        QCOMPARE(f.Curriculo1->title(), QStringLiteral("Curriculo"));
        QCOMPARE(f.Curriculo1->actions().size(), int(std::size(items)));
        for (size_t i = 0; i < std::size(items); ++i) {
            QAction* a = f.Curriculo1->actions()[int(i)];
            QCOMPARE(a, items[i].item);
            QCOMPARE(a->objectName(), items[i].name);
            QCOMPARE(a->text(), items[i].caption);
            QCOMPARE(a->isSeparator(), items[i].caption.isEmpty());
            QCOMPARE(!a->icon().isNull(), items[i].hasImage);
        }
        QCOMPARE(f.Atualizar1->title(), QStringLiteral("Atualizar"));
        QCOMPARE(f.ProcurarAtualizaes1->text(), QStringLiteral("Procurar Atualizações"));
        QVERIFY(!f.ProcurarAtualizaes1->icon().isNull());
        QStringList bar;
        for (QAction* a : f.MainMenu1->actions())
            bar << a->text();
        QCOMPARE(bar, QStringList({"Curriculo", "Atualizar", "Sobre"}));
        QCOMPARE(f.MainMenu1->actions().last(), f.Sobre1);
    }

    void startsInTheFormsInitialState()
    {
        TForm1& f = form();
        for (const EntryControl& e : f.entryControls()) {
            const QString name = e.widget->objectName();
            switch (e.kind) {
            case EntryKind::Text:
                QCOMPARE(static_cast<QLineEdit*>(e.widget)->text(), QString());
                break;
            case EntryKind::Phone:
                QCOMPARE(static_cast<ui::PhoneEdit*>(e.widget)->value(), "(  )    -    ");
                break;
            case EntryKind::List: {
                auto* list = static_cast<ui::ListField*>(e.widget);
                QCOMPARE(list->currentIndex(), -1);
                QCOMPARE(list->text(), QString());
                break;
            }
            case EntryKind::Date: {
                auto* date = static_cast<ui::DateField*>(e.widget);
                QCOMPARE(date->date(), name == "edt_nasc" ? QDate(1985, 1, 1) : QDate(2009, 5, 24));
                QCOMPARE(date->isEnabled(), !name.startsWith(QLatin1String("edt_exsaida")));
                QVERIFY(!date->calendarPopup());
                break;
            }
            case EntryKind::Sentence:
                QCOMPARE(static_cast<ui::SentenceBox*>(e.widget)->text(), QString());
                QVERIFY(!e.widget->isEnabled());
                break;
            }
        }
        QCOMPARE(f.edt_nasc->text(), QStringLiteral("01/01/1985"));
        QCOMPARE(f.experiencias[0].edt_exsaida->text(), QStringLiteral("24/05/2009"));
        for (QCheckBox* option : f.findChildren<QCheckBox*>())
            QVERIFY2(!option->isChecked(), qPrintable(option->objectName()));
        for (const ExperiencePage& e : f.experiencias)
            QVERIFY(e.edt_extelefone->upperCase());
        QVERIFY(f.Image1->isEmpty());
        QVERIFY(f.Progresso->isHidden());
        QCOMPARE(f.Progresso->minimum(), 0);
        QCOMPARE(f.Progresso->maximum(), 100);
        QVERIFY(f.Timer1->isActive());
        QCOMPARE(f.Timer1->interval(), 1000);
    }

    void tabWalksEachPageInTheFormsOrder_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("innerPage");
        QTest::addColumn<QStringList>("walk");
        QTest::newRow("personal data walks the address before the birthplace and mail")
            << 0 << -1
            << QStringList{"edt_nome",   "edt_nasc", "edt_sexo",    "edt_ec",          "edt_tel1",
                           "edt_tel2",   "edt_rua",  "edt_numero",  "edt_complemento", "edt_bairro",
                           "edt_cidade", "edt_uf",   "edt_natural", "edt_email",       "BitBtn3",
                           "BitBtn4",    "BitBtn6",  "BitBtn7",     "PageControl1",    "edt_nome"};
        QTest::newRow("an experience page walks its rows, skipping the disabled exit date")
            << 1 << 0 << QStringList{"edt_exnome1",     "edt_excargo1",   "edt_exobs1", "edt_exentrada1",
                                     "edt_extelefone1", "informar_saida", "BitBtn3"};
        QTest::newRow("the last experience page walks its own rows")
            << 1 << 4 << QStringList{"edt_exnome5",     "edt_excargo5",    "edt_exobs5", "edt_exentrada5",
                                     "edt_extelefone5", "informar_saida5", "BitBtn3"};
        QTest::newRow("schooling walks the list at the top last")
            << 2 << -1 << QStringList{"edt_curso", "edt_escola", "edt_escolaridade", "BitBtn3"};
        QTest::newRow("a course page walks its rows")
            << 3 << 2
            << QStringList{"edt_cucurso3", "edt_cuobs3", "edt_cuescola3", "edt_cuduracao3", "BitBtn3"};
        QTest::newRow("the photo page walks its buttons")
            << 4 << -1 << QStringList{"BitBtn1", "BitBtn2", "BitBtn5", "BitBtn3"};
        QTest::newRow("the information page walks its rows")
            << 5 << -1
            << QStringList{"edt_rg", "edt_cpf", "edt_cp", "edt_te", "edt_cargo", "edt_salario", "BitBtn3"};
        QTest::newRow("the sentence page walks the box before its own option")
            << 6 << -1 << QStringList{"frase1", "frase2", "frase3", "frase", "frase4", "BitBtn3"};
    }
    void tabWalksEachPageInTheFormsOrder()
    {
        QFETCH(int, page);
        QFETCH(int, innerPage);
        QFETCH(QStringList, walk);
        TForm1& f = form();
        f.frase4->setChecked(true); // the box takes part in the walk while its option is ticked
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.PageControl1->setCurrentIndex(page);
        if (innerPage >= 0)
            (page == 1 ? f.PageControl2 : f.PageControl3)->setCurrentIndex(innerPage);
        auto* first = f.findChild<QWidget*>(walk.first());
        first->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(focusName(), walk.first());
        QStringList walked{focusName()};
        for (int i = 1; i < walk.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << focusName();
        }
        QCOMPARE(walked, walk);
        QVERIFY(m_dialogs->seen.isEmpty());
    }

    void greetingFollowsTheTimeOfDay_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("greeting");
        const QDate day(2010, 3, 5);
        QTest::newRow("one second before noon is still morning")
            << QDateTime(day, QTime(11, 59, 59)) << "  Bom dia! Hoje é sexta-feira, 05 de março de  2010";
        QTest::newRow("noon is afternoon")
            << QDateTime(day, QTime(12, 0, 0)) << "  Boa tarde! Hoje é sexta-feira, 05 de março de  2010";
        QTest::newRow("one second before six is still afternoon")
            << QDateTime(day, QTime(17, 59, 59)) << "  Boa tarde! Hoje é sexta-feira, 05 de março de  2010";
        QTest::newRow("six o'clock is evening")
            << QDateTime(day, QTime(18, 0, 0)) << "  Boa noite! Hoje é sexta-feira, 05 de março de  2010";
        QTest::newRow("just after midnight is the new day's morning")
            << QDateTime(day.addDays(1), QTime(0, 0, 1)) << "  Bom dia! Hoje é sábado, 06 de março de  2010";
        QTest::newRow("a two-digit day has no leading zero to add")
            << QDateTime(QDate(2009, 12, 31), QTime(23, 59, 59))
            << "  Boa noite! Hoje é quinta-feira, 31 de dezembro de  2009";
    }
    void greetingFollowsTheTimeOfDay()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, greeting);
        Environment env;
        env.now = [now] { return now; };
        TForm1 f(env);
        f.StatusBar1->setPanelText(0, QStringLiteral("Nova versão disponível"));
        f.Timer1Timer();
        QCOMPARE(f.StatusBar1->panelText(0), greeting);
        QCOMPARE(f.StatusBar1->panelText(1), QString());
    }

    void greetingReplacesANoticeWithinASecond()
    {
        Environment env;
        env.now = [] { return QDateTime(QDate(2010, 3, 5), QTime(9, 0)); };
        TForm1 f(env);
        f.StatusBar1->setPanelText(0, QStringLiteral("Nova versão disponível"));
        QTRY_COMPARE_WITH_TIMEOUT(f.StatusBar1->panelText(0),
                                  QStringLiteral("  Bom dia! Hoje é sexta-feira, 05 de março de  2010"),
                                  1500);
    }

    void creationSetsTheHintTimingAndColour()
    {
        TForm1& f = form();
        QCOMPARE(ui::Application::hintColor(), QColor(0, 255, 255));
        QCOMPARE(ui::Application::hintPause(), 1);
        QCOMPARE(ui::Application::hintShortPause(), 1);
        QCOMPARE(ui::Application::hintHidePause(), 3000);
        // What the toolkit's hint machinery reads through the skinned controls.
        QCOMPARE(f.edt_nome->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, f.edt_nome), 1);
    }

    void failureInTheOnlineStepEndsInTheErrorBoxAndAWholeWindow()
    {
        Environment env = withoutDevices();
        env.updateServer = QUrl(QStringLiteral("http://127.0.0.1:9")); // never reached
        env.connected = []() -> bool { throw std::runtime_error("Não foi possível verificar a versão"); };
        createWindows(env);
        QCOMPARE(m_dialogs->seen.size(), 1);
        const ui::DialogRequest& box = m_dialogs->seen.first();
        QCOMPARE(box.style, ui::DialogRequest::Style::Error);
        QCOMPARE(box.caption, QStringLiteral("Sovranel 3.1"));
        QCOMPARE(box.text, QStringLiteral("Não foi possível verificar a versão."));
        QVERIFY(Form1);
        QCOMPARE(Form1->entryControls().size(), formRows().size() + 1);
        QVERIFY(Form1->findChild<QWidget*>("edt_email"));
        QVERIFY(Form1->Timer1->isActive());
        QCOMPARE(ui::Application::hintPause(), 1);
        QVERIFY(sobre && impressao && frm_salvar && frm_foto && Curriculo);
        QVERIFY(!splash);
        destroyWindows();
    }

    // The splash and the about box show the pictures the build drew, which are the ones the
    // artwork draws (the build draws them offscreen, as the tests run).
    void picturesAreTheOnesTheBuildDrew()
    {
        QVERIFY(QFile::exists(QStringLiteral(":/artwork/splash.bmp")));
        QVERIFY(QFile::exists(QStringLiteral(":/artwork/about.bmp")));
        QCOMPARE(artwork::splash(), artwork::drawSplash());
        QCOMPARE(artwork::aboutBox(), artwork::drawAboutBox());
    }

    void startUpCreatesTheWindowsInOrderBehindTheSplash()
    {
        QStringList steps;
        auto position = [] {
            return splash ? QString::number(splash->Progresso->value()) : QStringLiteral("-");
        };
        Environment env = withoutDevices();
        env.updateServer = QUrl(QStringLiteral("http://127.0.0.1:9")); // never reached: off line
        env.connected = [&] {
            steps << QStringLiteral("on-line step @") + position();
            return false;
        };
        createWindows(env, [&](const QString& step) {
            steps << step + QStringLiteral(" @") + position();
            if (step == QLatin1String("show splash")) {
                QCOMPARE(splash->size(), QSize(250, 198));
                QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
                QCOMPARE(splash->geometry().center(), splash->screen()->geometry().center());
                QCOMPARE(splash->Progresso->geometry(), QRect(8, 152, 233, 17));
                QCOMPARE(splash->Image1->geometry(), QRect(0, 0, 252, 201));
                QVERIFY(splash->isVisible());
            }
        });
        const QStringList expected = {
            "show splash @0",        "repaint @0",       "progress 25 @25",  "repaint @25",
            "create Form1 @25",      "on-line step @25", "create sobre @25", "create impressao @25",
            "create frm_salvar @25", "repaint @25",      "progress 50 @50",  "repaint @50",
            "create frm_foto @50",   "repaint @50",      "progress 75 @75",  "repaint @75",
            "create Curriculo @75",  "repaint @75",      "progress 99 @99",  "destroy splash @99",
        };
        QCOMPARE(steps, expected);
        QVERIFY(!splash);
        QVERIFY(Form1 && !Form1->isVisible());
        const struct {
            QWidget* window;
            QString caption;
        } windows[] = {{Form1, "Sovranel 3.1 - Crie o seu currículo com facilidade!"},
                       {sobre, "Sovranel 3.1"},
                       {impressao, "Configure o estilo do seu Curriculo!"},
                       {frm_salvar, "Onde salvar o seu Curriculo?"},
                       {frm_foto, "Capturar Foto"}};
        for (const auto& w : windows)
            QCOMPARE(w.window->windowTitle(), w.caption);
        QVERIFY(Curriculo);
        QVERIFY(m_dialogs->seen.isEmpty());
        destroyWindows();
        QVERIFY(!Form1 && !sobre && !impressao && !frm_salvar && !frm_foto && !Curriculo);
    }

    void startUpDestroysTheSplashWhenAStepFails_data()
    {
        QTest::addColumn<QString>("failingStep");
        QTest::newRow("the main window fails") << "create Form1";
        QTest::newRow("the webcam window fails") << "create frm_foto";
        QTest::newRow("the report form fails") << "create Curriculo";
    }
    void startUpDestroysTheSplashWhenAStepFails()
    {
        QFETCH(QString, failingStep);
        QStringList steps;
        bool thrown = false;
        try {
            createWindows(withoutDevices(), [&](const QString& step) {
                steps << step;
                if (step == failingStep)
                    throw std::runtime_error("falhou");
            });
        } catch (const std::runtime_error&) {
            thrown = true;
        }
        QVERIFY(thrown);
        QCOMPARE(steps.last(), QStringLiteral("destroy splash"));
        QVERIFY(!splash);
        destroyWindows();
    }

    void aWindowThatFailsWhileBeingMadeLeavesNoDanglingInstance()
    {
        struct Failing;
        static Failing* instance = nullptr;
        struct Failing : QWidget {
            Failing()
            {
                instance = this;
                throw std::runtime_error("sem dispositivos");
            }
        };
        instance = nullptr;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, createWindow<Failing>(instance));
        QCOMPARE(instance, nullptr);
    }

    void showingTheWindowBringsTheFirstPageToTheFront()
    {
        TForm1& f = form();
        f.PageControl1->setCurrentIndex(5);
        f.PageControl2->setCurrentIndex(3);
        f.show();
        QCOMPARE(f.PageControl1->currentWidget(), f.TabSheet1);
        QCOMPARE(f.PageControl2->currentIndex(), 3);
    }

    void windowsShowTheirOwnBorderIconsAndKeepTheirSize_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("minimise");
        QTest::addColumn<bool>("close"); // with the system menu
        QTest::addColumn<bool>("fixed");
        QTest::newRow("main window: minimise and close") << "Form1" << true << true << true;
        QTest::newRow("about box: close only") << "sobre" << false << true << true;
        QTest::newRow("style dialog: none") << "impressao" << false << false << true;
        QTest::newRow("webcam window: none") << "frm_foto" << false << false << true;
        QTest::newRow("save dialog: none, sizeable") << "frm_salvar" << false << false << false;
    }
    void windowsShowTheirOwnBorderIconsAndKeepTheirSize()
    {
        QFETCH(QString, window);
        QFETCH(bool, minimise);
        QFETCH(bool, close);
        QFETCH(bool, fixed);
        createWindows(withoutDevices());
        QWidget* const windows[] = {Form1, sobre, impressao, frm_foto, frm_salvar};
        QWidget* w = *std::find_if(std::begin(windows), std::end(windows),
                                   [&](QWidget* x) { return x->objectName() == window; });
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const Qt::WindowFlags flags = w->windowHandle()->flags();
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
        QCOMPARE(bool(flags & Qt::WindowMinimizeButtonHint), minimise);
        QCOMPARE(bool(flags & Qt::WindowCloseButtonHint), close);
        QCOMPARE(bool(flags & Qt::WindowSystemMenuHint), close);
        QVERIFY(flags & Qt::WindowTitleHint);
        // What the window system reads as "not resizable": the least and the largest size agree.
        const QSize least = w->windowHandle()->minimumSize();
        const QSize largest = w->windowHandle()->maximumSize();
        QCOMPARE(least == largest, fixed);
        if (fixed)
            QCOMPARE(w->size(), least);
        w->hide();
        destroyWindows();
    }

    void enterAndSpacePressTheFocusedButtonOfTheMainWindow_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        const struct {
            QString name;
            Qt::Key key;
        } keys[] = {{"Enter", Qt::Key_Return}, {"keypad Enter", Qt::Key_Enter}, {"Space", Qt::Key_Space}};
        for (const QString button :
             {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4", "BitBtn5", "BitBtn6", "BitBtn7"})
            for (const auto& k : keys)
                QTest::newRow(qPrintable(button + QStringLiteral(", ") + k.name)) << button << int(k.key);
    }
    void enterAndSpacePressTheFocusedButtonOfTheMainWindow()
    {
        QFETCH(QString, button);
        QFETCH(int, key);
        TForm1& f = form();
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        auto* b = f.findChild<QPushButton*>(button);
        QVERIFY(b);
        // The press itself, not what the button then does (some open modal windows).
        b->disconnect(SIGNAL(clicked(bool)));
        QSignalSpy clicks(b, &QPushButton::clicked);
        for (QWidget* page = b->parentWidget(); page && page != &f; page = page->parentWidget())
            if (auto* pages = qobject_cast<QTabWidget*>(
                    page->parentWidget() ? page->parentWidget()->parentWidget() : nullptr))
                pages->setCurrentWidget(page);
        b->setFocus(Qt::TabFocusReason);
        QVERIFY(b->hasFocus());
        QTest::keyClick(b, Qt::Key(key));
        QCOMPARE(clicks.count(), 1);
        QVERIFY(b->hasFocus());
        QVERIFY(m_dialogs->seen.isEmpty());
    }

    void enterOnAbrirAsksForTheFileToOpen()
    {
        // The whole way, through the open dialog's hook: Enter is a click.
        TForm1& f = form();
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        int asked = 0;
        ui::OpenFileDialog::setHook([&](const ui::OpenFileDialog& dialog) -> std::optional<QString> {
            ++asked;
            [&] { QVERIFY(dialog.listHiddenFiles); }();
            return std::nullopt;
        });
        f.BitBtn7->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f.BitBtn7, Qt::Key_Return);
        ui::OpenFileDialog::setHook({});
        QCOMPARE(asked, 1);
    }

    void enterOnAFolderOfTheSaveDialogOpensItAndPressesNoButton()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Curriculos")));
        Tfrm_salvar dialog;
        dialog.lista->setFolder(dir.path());
        QSignalSpy saved(dialog.BitBtn1, &QPushButton::clicked);
        QSignalSpy cancelled(dialog.BitBtn2, &QPushButton::clicked);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QVERIFY(!dialog.BitBtn1->isDefault() && !dialog.BitBtn2->isDefault());

        const QList<QListWidgetItem*> found =
            dialog.lista->findItems(QStringLiteral("Curriculos"), Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        dialog.lista->setFocus(Qt::TabFocusReason);
        dialog.lista->setCurrentItem(found.first());
        QTest::keyClick(dialog.lista, Qt::Key_Return);
        QCOMPARE(QDir(dialog.lista->folder()).dirName(), QStringLiteral("Curriculos"));
        QCOMPARE(saved.count(), 0);
        QCOMPARE(cancelled.count(), 0);
        QVERIFY(dialog.isVisible());

        // Enter on a focused button presses that one.
        dialog.BitBtn2->setFocus(Qt::TabFocusReason);
        QTest::keyClick(dialog.BitBtn2, Qt::Key_Return);
        QCOMPARE(cancelled.count(), 1);
        QCOMPARE(saved.count(), 0);
        QVERIFY(!dialog.isVisible());
    }

    void theBannerPageLiesInsideThePanel_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("one line") << "BANNER OK";
        QTest::newRow("four lines") << "Linha um do anúncio<br>Linha dois<br>Linha três<br>Linha quatro";
    }
    void theBannerPageLiesInsideThePanel()
    {
        QFETCH(QString, page);
        TForm1& f = form();
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        net::WebView* view = f.propagandas;
        view->setVisible(true);
        view->setHtml(page);
        QCOMPARE(view->geometry(), QRect(-13, -18, 527, 100));
        const QRect panel(QPoint(0, 0), f.painel_browser->size());
        // The content box: the view's viewport less the page's own margin, in the panel's terms.
        const qreal margin = view->document()->documentMargin();
        const QRect viewport(view->viewport()->mapTo(f.painel_browser, QPoint(0, 0)),
                             view->viewport()->size());
        const QRect content = viewport.adjusted(int(margin), int(margin), -int(margin), -int(margin));
        QVERIFY2(panel.contains(content), qPrintable(QStringLiteral("content %1,%2 %3x%4 outside the panel")
                                                         .arg(content.x())
                                                         .arg(content.y())
                                                         .arg(content.width())
                                                         .arg(content.height())));
        // The page is laid out in that width, and its lines all fit in the height that shows.
        QVERIFY(view->document()->idealWidth() <= content.width());
        QVERIFY2(view->document()->size().height() <= viewport.height(),
                 qPrintable(QString::number(view->document()->size().height())));
        QCOMPARE(view->verticalScrollBar()->value(), 0);
    }
};

int main(int argc, char** argv)
{
    ui::Application app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
