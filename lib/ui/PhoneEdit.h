#pragma once

#include <QLineEdit>

namespace ui {

// A phone number field: "(", two optional digits (the area code), ")", four digits, "-",
// four digits. Empty positions show an underscore; only digits can be typed. Its value
// always has 13 characters with the literals, blanks for empty positions and leading blanks
// for a short area code: "(  )    -    " while untouched. When the user changed it and
// leaves it with a required digit empty, it beeps, shows the standard error box and takes
// the focus back; Escape gives back the text it had when the focus entered.
class PhoneEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit PhoneEdit(QWidget* parent = nullptr);

    static constexpr int kLength = 13;
    static QString emptyValue() { return QStringLiteral("(  )    -    "); }

    // The 13-character value described above.
    QString value() const;
    // Sets the value from 13 characters as value() gives them; not a user change.
    void setValue(const QString& value);
    // Whether every required digit is there.
    bool isComplete() const;
    // Whether the user changed the text since it was last set or restored.
    bool isChanged() const { return m_changed; }
    // Whether the focus may leave: the number is untouched or complete.
    bool mayLeave() const { return !m_changed || isComplete(); }
    // Refuses as leaving an incomplete number does (beep, error box, focus kept here), for
    // callers that check before they move the focus.
    void refuseLeaving();

    // Letter case as the form sets it; phone numbers have no letters, so it changes nothing
    // that can be typed, but the setting is kept.
    void setUpperCase(bool on) { m_upperCase = on; }
    bool upperCase() const { return m_upperCase; }

    static QString invalidInputMessage();

  signals:
    // The check refused to let the focus go (after the error box).
    void inputRefused();

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void refuse();
    // Shows a 13-character text position by position; blanks and underscores are empty.
    void showPositions(const QString& shown);
    QString m_textOnEnter;
    bool m_changed = false;
    bool m_upperCase = false;
    bool m_refusing = false;
};

} // namespace ui
