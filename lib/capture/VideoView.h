#pragma once

#include <QWidget>

class QVideoWidget;

namespace capture {

// The area that shows a device's live picture: black while nothing runs. The toolkit's
// video widget inside it is made only when a device first starts, because making one
// without a capture backend ends the program.
class VideoView : public QWidget {
    Q_OBJECT
  public:
    explicit VideoView(QWidget* parent = nullptr);

    // The video widget filling the view, made on first use; shown while `live`.
    QVideoWidget* videoWidget();
    void setLive(bool live);
    bool isLive() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QVideoWidget* m_video = nullptr;
};

} // namespace capture
