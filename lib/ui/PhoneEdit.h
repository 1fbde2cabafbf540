#pragma once

#include <QLineEdit>

#include <optional>

namespace ui {

// A Brazilian phone number field: "(", two optional digits (the area code), ")", then a
// landline's four digits, "-", four digits, or a mobile's five digits, "-", four digits. Empty
// positions show an underscore; only digits can be typed. It shows the landline template and
// turns into the mobile one when a ninth digit no longer fits (typed or pasted), and back when
// the digits fit again. Its value has the literals, blanks for empty positions and leading
// blanks for a short area code: 13 characters for a landline ("(  )    -    " while untouched),
// 14 for a mobile ("(21)99999-8888").
//
// When the user changed it and leaves it, the count of digits decides what it is: with the
// area code 10 are a landline and 11 a mobile, without it 8 and 9. Any other count, or an area
// code that does not exist in Brazil, is refused: it beeps, shows the standard error box and
// takes the focus back. Escape gives back the text it had when the focus entered.
class PhoneEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit PhoneEdit(QWidget* parent = nullptr);

    static constexpr int kLength = 13;       // a landline's value
    static constexpr int kMobileLength = 14; // a mobile's value
    static QString emptyValue() { return QStringLiteral("(  )    -    "); }

    // The 13- or 14-character value described above.
    QString value() const;
    // Sets the value from 13 or 14 characters as value() gives them; not a user change.
    void setValue(const QString& value);
    // Whether the field shows the mobile template.
    bool isMobile() const { return m_mobile; }
    // Whether it holds a whole number with no area code or one that exists.
    bool isComplete() const { return leaveProblem().isEmpty(); }
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

    // The value for a number written as the field shows it ("(21)99999-8888", "(  )3256-4789"),
    // as its digits ("21999998888", "32564789") or as people write it ("(21) 99999-8888",
    // "+55 21 99999-8888", "(021) 3256-4789"); emptyValue() for "" and an untouched field.
    // Nothing for any other text, an incomplete number or an area code that does not exist.
    static std::optional<QString> normalise(const QString& text);
    // What a résumé prints for a value: nothing when it holds no digit, else the value.
    static QString printed(const QString& value);
    // Whether two digits are an area code in use in Brazil.
    static bool isAreaCode(QStringView digits);

    static QString invalidInputMessage();
    static QString unknownAreaCodeMessage(const QString& area);

  signals:
    // The check refused to let the focus go (after the error box).
    void inputRefused();

  protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // Empty when the number may be left, else the message that refuses it.
    QString leaveProblem() const;
    void refuse();
    // Shows a 13- or 14-character text position by position, in the template its length
    // names; blanks and underscores are empty.
    void showPositions(const QString& shown);
    void setTemplate(bool mobile);
    // Types one digit at the cursor, turning into a mobile when it no longer fits.
    void typeDigit(QChar digit);
    // A whole number replaces the text; anything else is typed digit by digit.
    void pasteText(const QString& text);
    // Back to the landline template when the digits fit it again.
    void fitDigitsToTemplate();
    // Narrows the letter spacing (down to 90 %) until the template shows whole.
    void fitTextToWidth();

    QString m_textOnEnter;
    bool m_mobile = false;
    bool m_changed = false;
    bool m_upperCase = false;
    bool m_refusing = false;
    bool m_fitting = false;
};

} // namespace ui
