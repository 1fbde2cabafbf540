#pragma once

#include <QWidget>

namespace capture {

// The area that shows a device's live picture: black while nothing runs. The source puts
// its video widget inside, named "video", when a device first starts (making one without a
// capture backend ends the program); the view keeps it filling the area.
class VideoView : public QWidget {
    Q_OBJECT
  public:
    explicit VideoView(QWidget* parent = nullptr);

    // The source's video widget filling the view, if one was put there; shown while `live`.
    QWidget* video() const;
    void setLive(bool live);
    bool isLive() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace capture
