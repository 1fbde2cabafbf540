#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;
class QUrl;

namespace net {
class WebView;
}

namespace webupdate {

// The captions of the information window.
struct InfoCaptions {
    QString okButton = QStringLiteral("&OK");
    QString cancelButton = QStringLiteral("&Cancelar");
    QString checkForUpdate = QStringLiteral("Perguntar no futuro.");
};

// Shows the information page before the download: the page in a browser filling the
// window, a ticked check box under it, and OK and Cancel centred side by side at the bottom.
class InfoWindow : public QDialog {
    Q_OBJECT
  public:
    explicit InfoWindow(const InfoCaptions& captions, QWidget* parent = nullptr);

    void navigate(const QUrl& page);
    bool checkForUpdate() const;

    net::WebView* browser = nullptr;
    QCheckBox* checkBox = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    bool m_placed = false;
};

} // namespace webupdate
