#pragma once

#include <QDateEdit>

namespace ui {

// A date-only field shown in the system's short date format, changed with an up-down
// spinner; no calendar, no check box, so it always holds a date.
class DateField : public QDateEdit {
    Q_OBJECT
public:
    explicit DateField(QWidget* parent = nullptr);
    // The date as the system's short date format writes it.
    QString shortText() const;

protected:
    // Tab goes on to the next control of the form, not to the next part of the date (typing
    // the digits moves from day to month to year by itself).
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

} // namespace ui
