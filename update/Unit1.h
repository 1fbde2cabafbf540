#pragma once

#include "webupdate/UpdateCheck.h"

#include <QWidget>

class QFrame;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

// The update window: shows what the information page says about the published version, and
// runs one update check per press of "Atualizar".
class Tform_MainWindow : public QWidget {
    Q_OBJECT
  public:
    explicit Tform_MainWindow(QWidget* parent = nullptr);
    ~Tform_MainWindow() override;

    QGroupBox* grp_ComponentUpdate = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lbl_ProductName = nullptr;
    QLabel* lbl_Author = nullptr;
    QLabel* lbl_Email = nullptr;
    QFrame* Bevel = nullptr;
    QLabel* lbl_File = nullptr;
    QLabel* Image1 = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QPushButton* btn_Update = nullptr;
    QPushButton* btn_Exit = nullptr;
    webupdate::UpdateCheck mxWebUpdate;

    void FormCreate();
    void BitBtn1Click();
    void btn_ExitClick();
    void FormClose();

    void mxWebUpdateBeforeGetInfo();
    void mxWebUpdateAfterGetInfo();
    void mxWebUpdateDownloadError();
    void mxWebUpdateNoUpdateFound();
    void mxWebUpdateUpdateAvailable(const QString& actualVersion, const QString& newVersion, bool& canUpdate);
    void mxWebUpdateBeforeShowInfo(bool& showInfo, bool& checkForUpdate);
    void mxWebUpdateAfterShowInfo(bool checkForUpdate);
    void mxWebUpdateGetClientFileName(QString& fileName);
    void mxWebUpdateClientFileExists(QString& fileName, bool& overwrite);
    void mxWebUpdateBeforeDownload(const QString& fileName);
    void mxWebUpdateDownload(qint64 total, qint64 downloaded);
    void mxWebUpdateAfterDownload(const QString& fileName, bool succeeded);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildForm();
    void wireEvents();
};

extern Tform_MainWindow* form_MainWindow;

// The address of the maker's information page on the update server.
QUrl updatePageUrl();
