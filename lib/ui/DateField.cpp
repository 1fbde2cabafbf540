#include "ui/DateField.h"

#include <QLocale>

namespace ui {

DateField::DateField(QWidget* parent) : QDateEdit(parent)
{
    setCalendarPopup(false);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    setDateRange(QDate(1900, 1, 1), QDate(9999, 12, 31));
}

QString DateField::shortText() const { return QLocale().toString(date(), QLocale::ShortFormat); }

} // namespace ui
