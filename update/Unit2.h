#pragma once

#include <QWidget>

class QLabel;

// The small borderless window that says what the updater is doing while it waits.
class TForm_Message : public QWidget {
    Q_OBJECT
  public:
    explicit TForm_Message(QWidget* parent = nullptr);
    ~TForm_Message() override;

    QLabel* panel_message = nullptr; // a raised panel filling the window, its caption centred
};

extern TForm_Message* Form_Message;
