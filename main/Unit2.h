#pragma once

#include <QDialog>

// The webcam window; the [webcam] issue gives it its devices and live picture.
class Tfrm_foto : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_foto(QWidget* parent = nullptr);
};

extern Tfrm_foto* frm_foto;
