#pragma once

#include <QDialog>

// The style dialog; the [save] issue gives it its controls.
class Timpressao : public QDialog {
    Q_OBJECT
public:
    explicit Timpressao(QWidget* parent = nullptr);
};

extern Timpressao* impressao;
