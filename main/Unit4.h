#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

// The splash window shown while the program creates its windows.
class Tsplash : public QWidget {
    Q_OBJECT
  public:
    explicit Tsplash(QWidget* parent = nullptr);
    ~Tsplash() override;

    // Start-up runs before any event loop, so the splash is painted by explicit calls. A window
    // that the window system has not put on screen yet takes no paint: after showing the
    // splash, wait for that, but never longer than `limitMs`, so a slow or broken display
    // cannot hold the start back. Where windows are on screen at once (offscreen) it returns
    // at once.
    void waitUntilOnScreen(int limitMs);
    bool isOnScreen() const;

    // Sets the progress bar; repaintNow() draws it at once.
    void setProgress(int position);
    void repaintNow();

    QLabel* Image1 = nullptr;
    QProgressBar* Progresso = nullptr;

  private:
    int m_reported = -1; // the last position written to the start-up report
};

extern Tsplash* splash;

// SOVRANEL_STARTUP_REPORT=1 makes the program write on standard error, once `window` is first
// on screen, "startup: on screen at N us" with N read from the monotonic clock (the one a
// start-up benchmark reads before launching the program), then nothing more.
void reportWhenOnScreen(QWidget* window);
