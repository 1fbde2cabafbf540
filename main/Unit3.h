#pragma once

#include <QObject>

// The résumé report form, never shown itself; the [report] issue builds its template.
class TCurriculo : public QObject {
    Q_OBJECT
public:
    explicit TCurriculo(QObject* parent = nullptr);
    ~TCurriculo() override;
};

extern TCurriculo* Curriculo;
