#include "ui/ListField.h"

namespace ui {

ListField::ListField(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setMaxVisibleItems(12);
}

void ListField::setItems(const QStringList& items)
{
    clear();
    addItems(items);
    setCurrentIndex(-1);
}

} // namespace ui
