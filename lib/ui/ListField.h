#pragma once

#include <QComboBox>

namespace ui {

// A pick-only list: the user chooses one item of a fixed list and cannot type. Nothing is
// picked at first, and until then it reads as the empty text.
class ListField : public QComboBox {
    Q_OBJECT
  public:
    explicit ListField(QWidget* parent = nullptr);
    void setItems(const QStringList& items);
    QString text() const { return currentIndex() < 0 ? QString() : currentText(); }
};

} // namespace ui
