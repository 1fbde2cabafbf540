#pragma once

#include <QDialog>

#include <memory>

class QAction;
class QMenu;
class QMenuBar;
class QPushButton;
namespace capture {
class VideoSource;
class VideoView;
} // namespace capture

// The webcam window: the person picks a video input device from the menu, sees its live
// picture and presses "OK" to make the current frame the résumé's photo (Form1->Image1).
// Its video source comes from Form1's environment.
class Tfrm_foto : public QDialog {
    Q_OBJECT
  public:
    explicit Tfrm_foto(QWidget* parent = nullptr);
    ~Tfrm_foto() override;

    QMenuBar* MainMenu1 = nullptr;
    QMenu* Devices = nullptr; // "Selecione a WebCam": one item per device, its index as the item's data
    capture::VideoView* VideoWindow = nullptr; // black until a device runs
    QPushButton* BitBtn3 = nullptr;            // "OK"
    QPushButton* BitBtn1 = nullptr;            // "Cancel"

  public slots:
    void FormCreate();
    void DevicesItemClick(QAction* sender);
    void BitBtn3Click();
    void BitBtn1Click();
    void FormCloseQuery(bool& canClose);

  public:
    // Every way out (the buttons, Esc, the window manager) passes here, so the device is
    // always released when the window goes.
    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::unique_ptr<capture::VideoSource> m_source;
};

extern Tfrm_foto* frm_foto;
