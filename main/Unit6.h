#pragma once

#include "ReportFilling.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui {
class ColourBox;
}

// The style dialog: the lettering model, the font colour and the page counter of the résumé.
// Its choices last from one showing to the next, and the save dialog reads the font and colour.
class Timpressao : public QDialog {
    Q_OBJECT
  public:
    explicit Timpressao(QWidget* parent = nullptr);

    // The font each lettering model prints with, models 1 to 3 at indexes 0 to 2.
    static const std::array<QString, 3>& modelFonts();
    // The sample of a model (1 to 3): the top of a résumé set in that model's font, at the size
    // of the dialog's design.
    static QImage samplePicture(int model);
    // A small picture of a page in a layout, for the layout choice.
    static QImage layoutPicture(PageLayout layout);

    // The page layout chosen: "Clássico" unless "Moderno" is checked.
    PageLayout layout() const;

    QLabel* Label1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;
    QCheckBox* Modelo1 = nullptr;
    QCheckBox* Modelo2 = nullptr;
    QCheckBox* Modelo3 = nullptr;
    QLineEdit* fonte = nullptr;
    QFrame* Bevel1 = nullptr;
    QLabel* Label2 = nullptr;
    ui::ColourBox* cor = nullptr;
    QFrame* Bevel2 = nullptr;
    QCheckBox* paginas = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    // The page layout, below the rest.
    QFrame* Bevel3 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Image4 = nullptr;
    QLabel* Image5 = nullptr;
    QRadioButton* Layout1 = nullptr; // "Clássico"
    QRadioButton* Layout2 = nullptr; // "Moderno"

  public slots:
    void FormCreate();
    void FormShow();
    void Image1Click();
    void Image2Click();
    void Image3Click();
    void Modelo1Click();
    void Modelo2Click();
    void Modelo3Click();
    void BitBtn1Click();
    void BitBtn2Click();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Model n (1 to 3) checked or cleared: a checked box takes its font and clears the others.
    void modelChanged(int n);
    std::array<QCheckBox*, 3> models() const { return {Modelo1, Modelo2, Modelo3}; }
};

extern Timpressao* impressao;
