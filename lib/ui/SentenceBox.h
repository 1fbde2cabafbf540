#pragma once

#include <QPlainTextEdit>

namespace ui {

// A box for a sentence of several lines: word-wrapped, with a vertical scroll bar, and never
// more than maxLength() characters, however the text arrives (typing, pasting, dropping).
class SentenceBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit SentenceBox(QWidget* parent = nullptr);

    int maxLength() const { return m_maxLength; }
    void setMaxLength(int n);
    QString text() const { return toPlainText(); }

  protected:
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    int room() const;
    void enforceLimit();
    int m_maxLength = 150;
    bool m_enforcing = false;
};

} // namespace ui
