#pragma once

#include <QDialog>

// The save dialog; the [save] issue gives it its controls.
class Tfrm_salvar : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_salvar(QWidget* parent = nullptr);
};

extern Tfrm_salvar* frm_salvar;
