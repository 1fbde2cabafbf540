#include "FormBinding.h"

#include "FieldLimits.h"
#include "Photo.h"
#include "Unit1.h"

#include "ui/DateField.h"
#include "ui/ListField.h"
#include "ui/PhoneEdit.h"
#include "ui/PictureBox.h"
#include "ui/SentenceBox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>

#include <functional>
#include <map>
#include <utility>

namespace {

FieldType typeOf(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Text:
        return FieldType::Text;
    case EntryKind::Phone:
        return FieldType::Phone;
    case EntryKind::Date:
        return FieldType::Date;
    case EntryKind::List:
        return FieldType::List;
    case EntryKind::Sentence:
        return FieldType::Sentence;
    }
    return FieldType::Text;
}

} // namespace

FormBinding::FormBinding(TForm1& form) : QObject(&form), m_form(form)
{
    // The kinds come from the window's registry of entry controls and its option and photo
    // members; the order is the pages' own: the photo before the document numbers, an
    // experience page's option after its fields, the sentence options before the sentence.
    std::vector<std::pair<QWidget*, FieldType>> controls;
    for (const EntryControl& e : form.entryControls()) {
        if (e.widget == form.edt_rg)
            controls.emplace_back(form.Image1, FieldType::Photo);
        if (e.widget == form.frase)
            for (QCheckBox* option : {form.frase1, form.frase2, form.frase3, form.frase4})
                controls.emplace_back(option, FieldType::Option);
        controls.emplace_back(e.widget, typeOf(e.kind));
        for (const ExperiencePage& page : form.experiencias)
            if (e.widget == page.edt_extelefone)
                controls.emplace_back(page.informar_saida, FieldType::Option);
    }

    for (const auto& [w, type] : controls) {
        FieldSpec field;
        field.name = w->objectName();
        field.type = type;
        switch (field.type) {
        case FieldType::Text:
            field.maxLength = fieldMaxLength(EntryKind::Text);
            connect(static_cast<QLineEdit*>(w), &QLineEdit::textChanged, this, &FormBinding::changedByUser);
            break;
        case FieldType::Sentence:
            field.maxLength = fieldMaxLength(EntryKind::Sentence);
            connect(static_cast<ui::SentenceBox*>(w), &QPlainTextEdit::textChanged, this,
                    &FormBinding::changedByUser);
            break;
        case FieldType::Phone:
            connect(static_cast<QLineEdit*>(w), &QLineEdit::textChanged, this, &FormBinding::changedByUser);
            break;
        case FieldType::Date: {
            auto* date = static_cast<ui::DateField*>(w);
            field.minDate = date->minimumDate();
            field.maxDate = date->maximumDate();
            connect(date, &QDateEdit::dateChanged, this, &FormBinding::changedByUser);
            break;
        }
        case FieldType::List: {
            auto* list = static_cast<ui::ListField*>(w);
            for (int i = 0; i < list->count(); ++i)
                field.items << list->itemText(i);
            connect(list, &QComboBox::currentIndexChanged, this, &FormBinding::changedByUser);
            break;
        }
        case FieldType::Option:
            connect(static_cast<QCheckBox*>(w), &QCheckBox::toggled, this, &FormBinding::changedByUser);
            break;
        case FieldType::Photo:
            connect(static_cast<ui::PictureBox*>(w), &ui::PictureBox::changed, this, [this] {
                if (m_applying)
                    return;
                m_storedPhoto.clear();
                const ui::PictureBox* box = m_form.Image1;
                if (!box->isEmpty())
                    m_storedPhoto = storedPhoto(box->image(), box->encoded(), box->format());
                emit changed();
            });
            break;
        }
        m_schema.push_back(field);
        m_widgets.push_back(w);
    }
    m_startValues = data();
}

void FormBinding::changedByUser()
{
    if (!m_applying)
        emit changed();
}

FormData FormBinding::data() const
{
    FormData d;
    for (size_t i = 0; i < m_schema.size(); ++i) {
        const FieldSpec& field = m_schema[i];
        QWidget* w = m_widgets[i];
        switch (field.type) {
        case FieldType::Text:
            d.values[field.name] = static_cast<QLineEdit*>(w)->text();
            break;
        case FieldType::Phone:
            d.values[field.name] = static_cast<ui::PhoneEdit*>(w)->value();
            break;
        case FieldType::Date:
            d.values[field.name] = static_cast<ui::DateField*>(w)->date();
            break;
        case FieldType::List:
            d.values[field.name] = static_cast<ui::ListField*>(w)->text();
            break;
        case FieldType::Sentence:
            d.values[field.name] = static_cast<ui::SentenceBox*>(w)->text();
            break;
        case FieldType::Option:
            d.values[field.name] = static_cast<QCheckBox*>(w)->isChecked();
            break;
        case FieldType::Photo: {
            const auto* box = static_cast<ui::PictureBox*>(w);
            if (box->isEmpty())
                break;
            FormPhoto photo{box->image(), box->encoded(), box->format(), m_storedPhoto};
            if (photo.jpeg.isEmpty())
                photo.jpeg = storedPhoto(photo.image, photo.source, photo.format);
            d.photo = photo;
            break;
        }
        }
    }
    return d;
}

void FormBinding::put(const FormData& from, bool whole)
{
    for (size_t i = 0; i < m_schema.size(); ++i) {
        const FieldSpec& field = m_schema[i];
        QWidget* w = m_widgets[i];
        if (field.type == FieldType::Photo) {
            auto* box = static_cast<ui::PictureBox*>(w);
            if (from.photo) {
                box->setFilePicture(from.photo->image, from.photo->source, from.photo->format);
                m_storedPhoto = from.photo->jpeg;
            } else if (whole) {
                box->clear();
                m_storedPhoto.clear();
            }
            continue;
        }
        const auto it = from.values.find(field.name);
        if (it == from.values.end())
            continue;
        const QVariant& v = it->second;
        switch (field.type) {
        case FieldType::Text:
            static_cast<QLineEdit*>(w)->setText(v.toString());
            break;
        case FieldType::Phone:
            static_cast<ui::PhoneEdit*>(w)->setValue(v.toString());
            break;
        case FieldType::Date:
            static_cast<ui::DateField*>(w)->setDate(v.toDate());
            break;
        case FieldType::List: {
            auto* list = static_cast<ui::ListField*>(w);
            list->setCurrentIndex(list->findText(v.toString(), Qt::MatchExactly));
            break;
        }
        case FieldType::Sentence:
            static_cast<ui::SentenceBox*>(w)->setPlainText(v.toString());
            break;
        case FieldType::Option:
            // The handlers run on the change, as on a click: exit dates, the sentence box.
            static_cast<QCheckBox*>(w)->setChecked(v.toBool());
            break;
        case FieldType::Photo:
            break;
        }
    }
}

void FormBinding::quietly(const std::function<void()>& change)
{
    // What the user looks at stays as it is: the pages in front and the control that has (or
    // will get) the window's focus.
    QTabWidget* pages[] = {m_form.PageControl1, m_form.PageControl2, m_form.PageControl3};
    int shown[3];
    for (int i = 0; i < 3; ++i)
        shown[i] = pages[i]->currentIndex();
    QWidget* focus = m_form.focusWidget();
    const bool wasApplying = std::exchange(m_applying, true);
    change();
    for (int i = 0; i < 3; ++i)
        pages[i]->setCurrentIndex(shown[i]);
    if (m_form.focusWidget() != focus) {
        if (focus)
            focus->setFocus(Qt::OtherFocusReason);
        else if (QWidget* moved = m_form.focusWidget())
            moved->clearFocus();
    }
    m_applying = wasApplying;
}

void FormBinding::apply(const FormData& data)
{
    quietly([&] {
        put(m_startValues, true);
        put(data, false);
    });
}

void FormBinding::fill(const FormData& data)
{
    quietly([&] { put(data, false); });
}

void FormBinding::reset() { apply(m_startValues); }

void FormBinding::erase()
{
    reset();
    emit erased();
}

void FormBinding::replace(const FormData& data)
{
    apply(data);
    emit changed();
}

bool FormBinding::holdsData() const
{
    const FormData now = data();
    return now.photo.has_value() || now.values != m_startValues.values;
}
