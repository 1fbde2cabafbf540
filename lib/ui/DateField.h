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
    // Tab leaves the field, as in every other field of a form; the arrow keys and typing
    // move between day, month and year.
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

} // namespace ui
