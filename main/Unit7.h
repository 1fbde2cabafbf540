#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ui {
class DriveList;
class FolderList;
} // namespace ui

// The save dialog: the person picks a drive and a folder, and "Salvar" writes the résumé there as
// a report file named after them. Only hidden between uses, so the folder chosen stays chosen.
class Tfrm_salvar : public QDialog {
    Q_OBJECT
  public:
    explicit Tfrm_salvar(QWidget* parent = nullptr);

    // The report file for a folder and a name as typed: folder, separator, name, ".QRP".
    static QString reportFileName(const QString& folder, const QString& name);
    // The file "Salvar" writes now: the folder open in `lista` and the entry window's name.
    QString reportFileName() const;

    QLabel* Label1 = nullptr;
    ui::DriveList* DriveComboBox1 = nullptr;
    QLabel* Label2 = nullptr;
    ui::FolderList* lista = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QProgressBar* progresso = nullptr;

  public slots:
    void BitBtn1Click();
    void BitBtn2Click();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void setProgress(int position);
    void endProgress();
};

extern Tfrm_salvar* frm_salvar;
