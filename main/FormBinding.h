#pragma once

#include "FormData.h"

#include <QObject>

#include <functional>

class QWidget;
class TForm1;

// The entry window's controls as form data: reads them, puts data back into them, and tells
// when the user changed one. The window's own tables decide which control is which kind.
class FormBinding : public QObject {
    Q_OBJECT
  public:
    // Made by the window once its controls exist; what they hold then are the start-up values.
    explicit FormBinding(TForm1& form);

    const FormSchema& schema() const { return m_schema; }

    // Every control's value, and the photo when there is one.
    FormData data() const;

    // Brings every control back to its start-up value, then sets what the data names. The
    // options run their handlers, as a click would. Moves no focus, changes no page, and is
    // no change (changed() is not emitted).
    void apply(const FormData& data);

    // Sets what the data names on top of what the form holds (the samples' way); no change.
    void fill(const FormData& data);

    // Every control back to its start-up value, the photo emptied; no change either.
    void reset();

    // "Novo Currículo": reset(), then erased().
    void erase();

    // Data opened by the user: apply(), and that is a change.
    void replace(const FormData& data);

    // Whether the form holds anything but its start-up values.
    bool holdsData() const;

  signals:
    // A control changed while the user worked (typing, a pick, a date, an option, the sentence,
    // the photo); not while apply() or reset() runs.
    void changed();

    // The user erased the form as a whole.
    void erased();

  private:
    void changedByUser();
    void put(const FormData& from, bool whole);
    void quietly(const std::function<void()>& change);

    TForm1& m_form;
    FormSchema m_schema;
    std::vector<QWidget*> m_widgets; // beside m_schema
    FormData m_startValues;
    QByteArray m_storedPhoto; // encoded once per photo change
    bool m_applying = false;
};
