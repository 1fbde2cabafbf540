#pragma once

#include <QDialog>

class QLabel;

// The about box: the program's artwork and, in its caption, the version.
class Tsobre : public QDialog {
    Q_OBJECT
  public:
    explicit Tsobre(QWidget* parent = nullptr);
    ~Tsobre() override;

    QLabel* Image1 = nullptr;

  public slots:
    void FormActivate();

  protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

extern Tsobre* sobre;
