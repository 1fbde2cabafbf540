#pragma once

#include "Environment.h"
#include "ReportFilling.h"

#include <QDeadlineTimer>
#include <QMainWindow>

#include <array>
#include <memory>
#include <vector>

class FormBinding;
class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;

namespace report {
class Report;
} // namespace report

namespace net {
class WebView;
} // namespace net

namespace ui {
class DateField;
class ListField;
class OpenFileDialog;
class PhoneEdit;
class PictureBox;
class SentenceBox;
class StatusBar;
} // namespace ui

// The kinds of entry control the form is made of (what clearing and highlighting look at).
enum class EntryKind { Text, Phone, Date, List, Sentence };

struct EntryControl {
    QWidget* widget;
    EntryKind kind;
};

// One of the five professional-experience pages; its controls' names end in the page number.
struct ExperiencePage {
    QWidget* TabSheet = nullptr;
    QLineEdit* edt_exnome = nullptr;
    QLineEdit* edt_excargo = nullptr;
    QLineEdit* edt_exobs = nullptr;
    ui::DateField* edt_exentrada = nullptr;
    ui::DateField* edt_exsaida = nullptr;
    ui::PhoneEdit* edt_extelefone = nullptr;
    QCheckBox* informar_saida = nullptr; // "informar_saida" on page 1, "informar_saidaN" after
};

// One of the five course pages.
struct CoursePage {
    QWidget* TabSheet = nullptr;
    QLineEdit* edt_cucurso = nullptr;
    QLineEdit* edt_cuobs = nullptr;
    QLineEdit* edt_cuescola = nullptr;
    ui::ListField* edt_cuduracao = nullptr;
};

// The main window, where the person types the résumé. The résumé has no data structure of
// its own: every item is one of these controls, read by name by the report filling.
class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    explicit TForm1(const Environment& env = Environment(), QWidget* parent = nullptr);
    ~TForm1() override;

    const Environment& environment() const { return m_env; }

    // Entry controls in component order.
    const std::vector<EntryControl>& entryControls() const { return m_entries; }

    // The report the last filling wrote: the classic form or the modern layout.
    report::Report& filledReport() const;

    // The entry controls as form data (read, put back, changes).
    FormBinding& formData() const { return *m_formData; }

    // Shows a notice in the status bar's first panel, where the greeting waits for `ms`.
    void showStatusNotice(const QString& text, int ms);

    // Pages
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QTabWidget* PageControl2 = nullptr;
    QWidget* TabSheet8 = nullptr;
    QWidget* TabSheet9 = nullptr;
    QTabWidget* PageControl3 = nullptr;
    QWidget* TabSheet15 = nullptr;
    QWidget* TabSheet16 = nullptr;
    QWidget* TabSheet17 = nullptr;

    // "Dados Principais"
    QLineEdit* edt_nome = nullptr;
    ui::DateField* edt_nasc = nullptr;
    ui::ListField* edt_sexo = nullptr;
    ui::ListField* edt_ec = nullptr;
    ui::PhoneEdit* edt_tel1 = nullptr;
    ui::PhoneEdit* edt_tel2 = nullptr;
    QLineEdit* edt_natural = nullptr;
    QLineEdit* edt_email = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* edt_rua = nullptr;
    QLineEdit* edt_numero = nullptr;
    QLineEdit* edt_complemento = nullptr;
    QLineEdit* edt_bairro = nullptr;
    QLineEdit* edt_cidade = nullptr;
    ui::ListField* edt_uf = nullptr;

    // "Experiências Profissionais": pages 1 to 5 at indexes 0 to 4
    std::array<ExperiencePage, 5> experiencias{};

    // "Escolaridade"
    ui::ListField* edt_escolaridade = nullptr;
    QLineEdit* edt_curso = nullptr;
    QLineEdit* edt_escola = nullptr;

    // "Cursos": pages 1 to 5 at indexes 0 to 4
    std::array<CoursePage, 5> cursos{};

    // "Foto"
    ui::PictureBox* Image1 = nullptr;
    QFrame* Bevel1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn5 = nullptr;

    // "Informações"
    QLineEdit* edt_rg = nullptr;
    QLineEdit* edt_cpf = nullptr;
    QLineEdit* edt_cp = nullptr;
    QLineEdit* edt_te = nullptr;
    QLineEdit* edt_cargo = nullptr;
    QLineEdit* edt_salario = nullptr;

    // "Frase"
    QCheckBox* frase1 = nullptr;
    QCheckBox* frase2 = nullptr;
    QCheckBox* frase3 = nullptr;
    QCheckBox* frase4 = nullptr;
    ui::SentenceBox* frase = nullptr;

    // Below the pages
    QPushButton* BitBtn7 = nullptr;
    QPushButton* BitBtn6 = nullptr;
    QPushButton* BitBtn4 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QFrame* painel_browser = nullptr;
    net::WebView* propagandas = nullptr;
    ui::StatusBar* StatusBar1 = nullptr;
    QProgressBar* Progresso = nullptr;

    // Menu
    QMenuBar* MainMenu1 = nullptr;
    QMenu* Curriculo1 = nullptr;
    QAction* GerarCurrculo1 = nullptr;
    QAction* LimparCampos1 = nullptr;
    QAction* N1 = nullptr;
    QAction* N2 = nullptr;
    QAction* N3 = nullptr;
    QAction* AbrirCurrculo1 = nullptr;
    QAction* N4 = nullptr;
    QAction* NovoCurrculo1 = nullptr;
    QAction* SalvarDados1 = nullptr;
    QAction* AbrirDados1 = nullptr;
    QMenu* Atualizar1 = nullptr;
    QAction* ProcurarAtualizaes1 = nullptr;
    QAction* Sobre1 = nullptr;
    std::array<QIcon, 5>
        imagens; // 0 opening folder, 1 page under a magnifier, 2 floppy, 3 blank page, 4 globe

    // Components without a place on screen
    QTimer* Timer1 = nullptr;
    ui::OpenFileDialog* OpenPictureDialog1 = nullptr;
    ui::OpenFileDialog* OpenDialog1 = nullptr;

  public slots:
    // Start-up and lifecycle
    void FormCreate();
    void FormShow();
    void Timer1Timer();
    void Sobre1Click();
    void BitBtn6Click();
    void N2Click();

    // Report generation
    void GerarCurrculo1Click();
    void BitBtn3Click();
    // Copies the entry fields into the report; the generation's own inputs, or any caller's.
    void PreencherCurriculo(const QString& fontName, const QColor& colour, bool pageCounter);
    void PreencherCurriculo(const FillOptions& options);
    // Prepares the report as filled and writes its page count into the footer's total.
    void TotalDePaginas();
    // "Curriculo de " and the name, as the report's title.
    void TituloDoCurriculo();
    // Opens the report's preview and returns when the user closes it.
    void VisualizarCurriculo();
    // What every command that makes the résumé does first: fills it, counts its pages and
    // titles it with this person's name.
    void prepareResume(const FillOptions& options);

    // Reopening a saved résumé
    void BitBtn7Click();
    void AbrirCurrculo1Click();

    // Entry form actions
    void BitBtn4Click();
    void LimparCampos1Click();
    void LimparCamposDeTexto();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn5Click();
    void informar_saidaClick(int page); // page 1 to 5: the "Informar saída" option of that page
    void frase1Click();
    void frase2Click();
    void frase3Click();
    void frase4Click();
    void PageControl1Enter();
    void TabSheet8Show();

    // Focus highlight
    void MudancaDeFoco();

    // The form's data as a file of its own
    void NovoCurrculo1Click();
    void SalvarDados1Click();
    void AbrirDados1Click();

    // Version and on-line step
    void VerificarVersaoOnline();
    void LimparCacheDoServidor();
    void ProcurarAtualizaes1Click();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildForm();
    void buildPersonalPage();
    void buildExperiencePages();
    void buildSchoolingPage();
    void buildCoursePages();
    void buildPhotoPage();
    void buildInformationPage();
    void buildSentencePage();
    void buildButtons(QWidget* client);
    void buildFooter(QWidget* client);
    void buildMenu();
    void wireEvents();
    void wireNavigation();
    void wireActions();

    Environment m_env;
    std::vector<EntryControl> m_entries;
    bool m_shownOnce = false;
    PageLayout m_filledLayout = PageLayout::Classico;

    FormBinding* m_formData = nullptr;
    QDeadlineTimer m_noticeShown; // until then the greeting leaves panel 0 to a notice
    QString m_dataFolder;         // where data files were last saved or opened
    // Receives the key, focus and page events that the navigation and the actions listen to.
    // Being a member, it goes before the controls do, so no handler runs on a half-destroyed window.
    std::unique_ptr<QObject> m_wiring;
};

extern TForm1* Form1;

// The program's version: the four numbers of the build's version joined by "." (3.1.0.6), or
// the empty string when the build carries none.
QString VersaoDoPrograma();
