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

    // Sets the progress bar and repaints at once: start-up runs before any event loop.
    void setProgress(int position);
    void repaintNow();

    QLabel* Image1 = nullptr;
    QProgressBar* Progresso = nullptr;
};

extern Tsplash* splash;
