#pragma once

#include <QDialog>

// The about box; the [online] issue gives it its picture and its caption rule.
class Tsobre : public QDialog {
    Q_OBJECT
public:
    explicit Tsobre(QWidget* parent = nullptr);
};

extern Tsobre* sobre;
