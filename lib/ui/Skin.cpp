#include "ui/Skin.h"

#include "ui/Look.h"
#include "ui/PhoneEdit.h"
#include "ui/StatusBar.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleOption>

#include <algorithm>
#include <vector>

namespace ui {
namespace {

// A skinned window: its own background is drawn by the style, so that its controls keep the
// desktop's colours where the skin does not paint them (check marks, scroll bars).
struct SkinnedWindow {
    const QWidget* window;
    Skin skin;
};

std::vector<SkinnedWindow>& skinnedWindows()
{
    static std::vector<SkinnedWindow> windows;
    return windows;
}

// The skin of the window a control belongs to: the nearest skinned widget up its parents,
// through child windows and pop-ups too.
const Skin* skinOf(const QWidget* widget)
{
    const auto& windows = skinnedWindows();
    if (windows.empty())
        return nullptr;
    for (; widget; widget = widget->parentWidget())
        for (const SkinnedWindow& s : windows)
            if (s.window == widget)
                return &s.skin;
    return nullptr;
}

bool isSkinnedWindow(const QWidget* widget)
{
    const auto& windows = skinnedWindows();
    return std::any_of(windows.begin(), windows.end(),
                       [widget](const SkinnedWindow& s) { return s.window == widget; });
}

// The line inside a date field or a drop-down: part of its field, with no frame of its own.
bool isFieldPart(const QWidget* widget)
{
    const QWidget* parent = widget ? widget->parentWidget() : nullptr;
    return qobject_cast<const QLineEdit*>(widget) &&
           (qobject_cast<const QAbstractSpinBox*>(parent) || qobject_cast<const QComboBox*>(parent));
}

bool isField(const QWidget* widget)
{
    return (qobject_cast<const QLineEdit*>(widget) && !isFieldPart(widget)) ||
           qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget);
}

// The room an entry field keeps between its border and its text, on either side.
int fieldPadding(const QWidget* widget) { return qobject_cast<const PhoneEdit*>(widget) ? 0 : 2; }

constexpr int kDropDownWidth = 16; // its 15 px and its border
constexpr int kSpinButtonWidth = 15;
constexpr int kGroupTitleTop = 7; // a group box's frame starts half its title down
constexpr int kGroupTitleLeft = 8;
constexpr int kGroupTitleSpace = 5; // the gap in the frame on either side of the title
constexpr int kTabPadding = 3;
constexpr int kCheckSpacing = 4; // between a check box and its caption
constexpr int kTabLowered = 2;   // a tab not chosen stands this much lower

// Rounded corners are a pixel and a half round along the middle of the border line.
constexpr qreal kRounded = 1.5;

// A 1 px border, square or with rounded corners, around a filled box as wide as the rectangle.
void drawBox(QPainter* p, const QRect& rect, const QBrush& fill, const QColor& border, bool rounded)
{
    const qreal radius = rounded ? kRounded : 0;
    p->save();
    p->setRenderHint(QPainter::Antialiasing, radius > 0);
    p->setPen(border.isValid() ? QPen(border, 1) : QPen(Qt::NoPen));
    p->setBrush(fill);
    const QRectF box = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    if (radius > 0)
        p->drawRoundedRect(box, radius, radius);
    else
        p->drawRect(box);
    p->restore();
}

QLinearGradient vertical(const QRect& rect, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(rect.left(), rect.top(), rect.left(), rect.top() + rect.height()); // edge to edge
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// A small solid triangle, 7 by 4, centred in the rectangle.
void drawArrow(QPainter* p, const QRect& rect, bool up, const QColor& colour)
{
    const QPointF at(rect.x() + qRound((rect.width() - 7) / 2.0), rect.y() + (rect.height() - 4) / 2);
    QPainterPath path;
    if (up) {
        path.moveTo(at + QPointF(0, 4));
        path.lineTo(at + QPointF(7, 4));
        path.lineTo(at + QPointF(3.5, 0));
    } else {
        path.moveTo(at);
        path.lineTo(at + QPointF(7, 0));
        path.lineTo(at + QPointF(3.5, 4));
    }
    path.closeSubpath();
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    p->fillPath(path, colour);
    p->restore();
}

// A drop-down or spin button: a small gradient with a border on the left (and below, for
// the upper spin button, the only one whose arrow points up) and its arrow.
void drawPartButton(QPainter* p, const Skin& skin, const QRect& rect, bool up, bool hovered, bool pressed,
                    bool enabled)
{
    const bool ruleBelow = up;
    QRect inside = rect.adjusted(1, 0, 0, ruleBelow ? -1 : 0);
    if (pressed)
        p->fillRect(inside, skin.buttonPressed);
    else if (hovered)
        p->fillRect(inside, skin.partHover);
    else
        p->fillRect(inside, vertical(inside, skin.partTop, skin.partBottom));
    p->fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), skin.partBorder);
    if (ruleBelow)
        p->fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), skin.partBorder);
    drawArrow(p, inside, up, enabled ? skin.arrow : skin.arrowDisabled);
}

class SkinStyle : public QProxyStyle {
  public:
    explicit SkinStyle(QStyle* base) : QProxyStyle(base) {}

    void polish(QWidget* widget) override
    {
        QProxyStyle::polish(widget);
        const Skin* skin = skinOf(widget);
        if (!skin)
            return;
        if (isField(widget)) {
            QPalette p = widget->palette();
            const QColor base = isHighlighted(widget) ? skin->focus : skin->field;
            p.setColor(QPalette::Active, QPalette::Base, base);
            p.setColor(QPalette::Inactive, QPalette::Base, base);
            p.setColor(QPalette::Disabled, QPalette::Base, skin->fieldDisabled);
            p.setColor(QPalette::Disabled, QPalette::Text, skin->textDisabled);
            p.setColor(QPalette::Highlight, skin->accent);
            widget->setPalette(p);
        } else if (qobject_cast<QAbstractItemView*>(widget) || qobject_cast<QMenu*>(widget)) {
            // A drop-down's list and a menu: white, with the skin's selection.
            QPalette p = widget->palette();
            p.setColor(QPalette::Base, skin->field);
            p.setColor(QPalette::Window, skin->field);
            p.setColor(QPalette::Highlight, skin->accent);
            p.setColor(QPalette::HighlightedText, Qt::white);
            widget->setPalette(p);
        } else if (qobject_cast<StatusBar*>(widget)) {
            QPalette p = widget->palette();
            p.setColor(QPalette::Window, skin->strip);
            widget->setPalette(p);
            widget->setAutoFillBackground(true);
        }
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (skinOf(widget)) {
            switch (metric) {
            case PM_DefaultFrameWidth:
                if (isField(widget))
                    return 1;
                break;
            case PM_MenuVMargin:
                if (qobject_cast<const QMenu*>(widget))
                    return 1;
                break;
            case PM_CheckBoxLabelSpacing:
                return kCheckSpacing;
            case PM_TabBarTabHSpace:
            case PM_TabBarTabVSpace:
            case PM_TabBarTabShiftHorizontal:
            case PM_TabBarTabShiftVertical:
            case PM_TabBarBaseOverlap:
            case PM_ButtonShiftHorizontal:
            case PM_ButtonShiftVertical:
                return 0;
            default:
                break;
            }
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contents,
                           const QWidget* widget) const override
    {
        if (type == CT_CheckBox && skinOf(widget)) {
            // The box, the skin's spacing and the caption.
            QSize size = QProxyStyle::sizeFromContents(type, option, contents, widget);
            size.setWidth(pixelMetric(PM_IndicatorWidth, option, widget) + kCheckSpacing + contents.width());
            return size;
        }
        if (type == CT_TabBarTab && skinOf(widget)) {
            // Padding and a border on three sides, a pixel between tabs; the tabs not chosen
            // stand lower.
            const bool chosen = option->state & State_Selected;
            return contents +
                   QSize(2 * kTabPadding + 2 + 1, 2 * kTabPadding + 1 + (chosen ? 0 : kTabLowered));
        }
        return QProxyStyle::sizeFromContents(type, option, contents, widget);
    }

    QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const override
    {
        if (skinOf(widget)) {
            switch (element) {
            case SE_LineEditContents: {
                if (isFieldPart(widget))
                    return option->rect;
                const int side = 1 + fieldPadding(widget);
                return option->rect.adjusted(side, 1, -side, -1);
            }
            case SE_ShapedFrameContents:
                // A text box keeps the room of an entry field between its border and its text.
                if (qobject_cast<const QPlainTextEdit*>(widget)) {
                    const int side = 1 + fieldPadding(widget);
                    return option->rect.adjusted(side, 1, -side, -1);
                }
                break;
            case SE_TabWidgetTabBar:
            case SE_TabWidgetTabPane:
            case SE_TabWidgetTabContents:
                if (const auto* frame = qstyleoption_cast<const QStyleOptionTabWidgetFrame*>(option))
                    return tabWidgetRect(element, *frame);
                break;
            default:
                break;
            }
        }
        return QProxyStyle::subElementRect(element, option, widget);
    }

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override
    {
        if (skinOf(widget)) {
            const QRect r = option->rect;
            const int side = 1 + fieldPadding(widget);
            if (control == CC_ComboBox) {
                const QRect dropDown(r.right() - kDropDownWidth, r.top() + 1, kDropDownWidth, r.height() - 2);
                switch (sub) {
                case SC_ComboBoxArrow:
                    return dropDown;
                case SC_ComboBoxEditField:
                    return QRect(QPoint(r.left() + side, r.top() + 1),
                                 QPoint(dropDown.left() - 1, r.bottom() - 1));
                case SC_ComboBoxFrame:
                case SC_ComboBoxListBoxPopup:
                    return r;
                default:
                    break;
                }
            } else if (control == CC_SpinBox) {
                const int upHeight = r.height() / 2;
                const QRect up(r.right() - kSpinButtonWidth + 1, r.top(), kSpinButtonWidth, upHeight);
                switch (sub) {
                case SC_SpinBoxUp:
                    return up;
                case SC_SpinBoxDown: // as tall as the upper one, from the bottom
                    return QRect(up.left(), r.bottom() - upHeight + 1, kSpinButtonWidth, upHeight);
                case SC_SpinBoxEditField:
                    return QRect(QPoint(r.left() + side, r.top() + 1), QPoint(up.left() - 1, r.bottom() - 1));
                case SC_SpinBoxFrame:
                    return r;
                default:
                    break;
                }
            } else if (control == CC_GroupBox) {
                if (const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option))
                    return groupBoxRect(box, sub);
            }
        }
        return QProxyStyle::subControlRect(control, option, sub, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* p,
                       const QWidget* widget) const override
    {
        if (const Skin* skin = skinOf(widget)) {
            switch (element) {
            case PE_PanelLineEdit:
                if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
                    frame && frame->lineWidth > 0)
                    drawBox(p, option->rect, option->palette.base(), skin->fieldBorder, true);
                return;
            case PE_FrameLineEdit:
                return;
            case PE_Frame:
                if (qobject_cast<const QPlainTextEdit*>(widget)) { // the text's page fills the rest
                    drawBox(p, option->rect, option->palette.base(), skin->fieldBorder, true);
                    return;
                }
                break;
            case PE_Widget:
                if (isSkinnedWindow(widget)) {
                    p->fillRect(option->rect, skin->window);
                    return;
                }
                break;
            case PE_FrameTabWidget:
                drawBox(p, option->rect, skin->pane, skin->frame, false);
                return;
            case PE_FrameTabBarBase:
                return;
            case PE_PanelButtonCommand:
                drawButton(p, *skin, option);
                return;
            case PE_FrameFocusRect:
                if (qobject_cast<const QPushButton*>(widget))
                    return;
                break;
            case PE_PanelMenu:
            case PE_FrameMenu:
                if (qobject_cast<const QMenu*>(widget)) {
                    drawBox(p, option->rect, element == PE_PanelMenu ? QBrush(skin->field) : Qt::NoBrush,
                            skin->buttonBorder, false);
                    return;
                }
                break;
            case PE_PanelMenuBar:
                p->fillRect(option->rect, skin->strip);
                return;
            default:
                break;
            }
        }
        QProxyStyle::drawPrimitive(element, option, p, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* p,
                     const QWidget* widget) const override
    {
        if (const Skin* skin = skinOf(widget)) {
            switch (element) {
            case CE_PushButtonBevel:
                drawButton(p, *skin, option);
                return;
            case CE_PushButtonLabel: {
                QStyleOptionButton label = *qstyleoption_cast<const QStyleOptionButton*>(option);
                label.rect = option->rect.adjusted(5, 1, -5, -1);
                label.palette.setColor(QPalette::Disabled, QPalette::ButtonText, skin->textDisabled);
                QCommonStyle::drawControl(element, &label, p, widget);
                return;
            }
            case CE_CheckBoxLabel:
                if (const auto* box = qstyleoption_cast<const QStyleOptionButton*>(option)) {
                    QStyleOptionButton label = *box;
                    label.rect.translate(1, 0); // the caption a pixel clear of its spacing
                    QProxyStyle::drawControl(element, &label, p, widget);
                    return;
                }
                break;
            case CE_TabBarTabShape:
                drawTab(p, *skin, option);
                return;
            case CE_TabBarTabLabel:
                if (const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option)) {
                    QStyleOptionTab label = *tab;
                    label.rect = tabBox(option).adjusted(1 + kTabPadding, 1 + kTabPadding, -1 - kTabPadding,
                                                         -kTabPadding);
                    if (tab->state & State_Selected)
                        label.palette.setColor(QPalette::WindowText, skin->caption);
                    QCommonStyle::drawControl(element, &label, p, widget);
                    return;
                }
                break;
            case CE_ComboBoxLabel: {
                p->save();
                p->setPen(option->palette.color(QPalette::Text));
                QCommonStyle::drawControl(element, option, p, widget);
                p->restore();
                return;
            }
            case CE_MenuBarEmptyArea:
                p->fillRect(option->rect, skin->strip);
                return;
            case CE_MenuBarItem: {
                const bool chosen = (option->state & State_Selected) && (option->state & State_Enabled);
                p->fillRect(option->rect, chosen ? skin->accent : skin->strip);
                if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
                    QStyleOptionMenuItem text = *item;
                    if (chosen)
                        text.palette.setColor(QPalette::ButtonText, Qt::white);
                    else
                        text.rect.adjust(0, 0, 0, -1); // the name a pixel above the middle
                    QCommonStyle::drawControl(element, &text, p, widget);
                }
                return;
            }
            case CE_ProgressBarGroove:
                drawBox(p, option->rect, skin->field, skin->buttonBorder, false);
                return;
            case CE_ProgressBarContents:
                if (const auto* bar = qstyleoption_cast<const QStyleOptionProgressBar*>(option)) {
                    const QRect inside = option->rect.adjusted(1, 1, -1, -1);
                    const qint64 range = qint64(bar->maximum) - bar->minimum;
                    if (range > 0) {
                        const qint64 done = qBound<qint64>(0, qint64(bar->progress) - bar->minimum, range);
                        p->fillRect(QRect(inside.topLeft(),
                                          QSize(int(inside.width() * done / range), inside.height())),
                                    skin->accent);
                    }
                    return;
                }
                break;
            default:
                break;
            }
        }
        QProxyStyle::drawControl(element, option, p, widget);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* p,
                            const QWidget* widget) const override
    {
        if (const Skin* skin = skinOf(widget)) {
            const bool enabled = option->state & State_Enabled;
            if (control == CC_ComboBox) {
                drawBox(p, option->rect, option->palette.base(), skin->fieldBorder, true);
                const QRect dropDown = subControlRect(control, option, SC_ComboBoxArrow, widget);
                const bool hovered =
                    (option->state & State_MouseOver) && option->activeSubControls == SC_ComboBoxArrow;
                drawPartButton(p, *skin, dropDown, false, hovered, false, enabled);
                return;
            }
            if (control == CC_SpinBox) {
                const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(option);
                drawBox(p, option->rect, option->palette.base(), skin->fieldBorder, true);
                if (spin && spin->buttonSymbols != QAbstractSpinBox::NoButtons) {
                    // The arrows grey out with the field, not at the ends of its range.
                    for (SubControl part : {SC_SpinBoxUp, SC_SpinBoxDown}) {
                        const bool up = part == SC_SpinBoxUp;
                        const bool active = spin->activeSubControls == part;
                        drawPartButton(p, *skin, subControlRect(control, option, part, widget), up,
                                       active && (option->state & State_MouseOver),
                                       active && (option->state & State_Sunken), enabled);
                    }
                }
                return;
            }
            if (control == CC_GroupBox) {
                if (const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option)) {
                    drawGroupBox(p, *skin, box);
                    return;
                }
            }
        }
        QProxyStyle::drawComplexControl(control, option, p, widget);
    }

  private:
    static void drawButton(QPainter* p, const Skin& skin, const QStyleOption* option)
    {
        const bool pressed = option->state & (State_Sunken | State_On);
        const bool hovered = (option->state & State_MouseOver) && (option->state & State_Enabled);
        const QBrush fill = pressed ? QBrush(skin.buttonPressed)
                                    : QBrush(vertical(option->rect, skin.buttonTop, skin.buttonBottom));
        drawBox(p, option->rect, fill, hovered ? skin.accent : skin.buttonBorder, true);
    }

    // A tab without its pixel to the right, lowered when not chosen.
    static QRect tabBox(const QStyleOption* option)
    {
        const bool chosen = option->state & State_Selected;
        return option->rect.adjusted(0, chosen ? 0 : kTabLowered, -1, 0);
    }

    static void drawTab(QPainter* p, const Skin& skin, const QStyleOption* option)
    {
        const QRect r = tabBox(option);
        const bool chosen = option->state & State_Selected;
        // Rounded at the top, open at the bottom where it meets its page.
        QPainterPath outline;
        const QRectF b = QRectF(r).adjusted(0.5, 0.5, -0.5, 0);
        const qreal radius = kRounded;
        outline.moveTo(b.left(), b.bottom() + 0.5);
        outline.lineTo(b.left(), b.top() + radius);
        outline.arcTo(QRectF(b.left(), b.top(), 2 * radius, 2 * radius), 180, -90);
        outline.lineTo(b.right() - radius, b.top());
        outline.arcTo(QRectF(b.right() - 2 * radius, b.top(), 2 * radius, 2 * radius), 90, -90);
        outline.lineTo(b.right(), b.bottom() + 0.5);
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        p->fillPath(outline, chosen ? skin.pane : skin.strip);
        p->setPen(QPen(skin.frame, 1));
        p->drawPath(outline);
        p->restore();
    }

    // The row of tabs at the top left, its page below.
    static QRect tabWidgetRect(SubElement element, const QStyleOptionTabWidgetFrame& option)
    {
        const QRect& rect = option.rect;
        const int barHeight = option.tabBarSize.height();
        if (element == SE_TabWidgetTabBar)
            return QRect(rect.left(), rect.top(), qMin(option.tabBarSize.width(), rect.width()), barHeight);
        // The page overlaps the row of tabs by a pixel, so the chosen tab opens into it.
        const QRect pane(rect.left(), rect.top() + barHeight - 1, rect.width(),
                         rect.height() - barHeight + 1);
        return element == SE_TabWidgetTabPane ? pane : pane.adjusted(1, 1, -1, -1);
    }

    static QRect groupBoxRect(const QStyleOptionGroupBox* box, SubControl sub)
    {
        const QRect r = box->rect;
        const QFontMetrics& fm = box->fontMetrics;
        const QRect title(r.left() + kGroupTitleLeft, r.top(),
                          fm.horizontalAdvance(box->text) + 2 * kGroupTitleSpace, fm.height());
        const QRect frame = r.adjusted(0, kGroupTitleTop, 0, 0);
        switch (sub) {
        case SC_GroupBoxLabel:
            return title;
        case SC_GroupBoxFrame:
            return frame;
        case SC_GroupBoxContents:
            return frame.adjusted(1, 1, -1, -1);
        case SC_GroupBoxCheckBox:
            return QRect();
        default:
            return r;
        }
    }

    void drawGroupBox(QPainter* p, const Skin& skin, const QStyleOptionGroupBox* box) const
    {
        const QRect title = groupBoxRect(box, SC_GroupBoxLabel);
        p->save();
        // The frame runs behind the title, not through it.
        p->setClipRegion(QRegion(box->rect).subtracted(QRegion(title)));
        drawBox(p, groupBoxRect(box, SC_GroupBoxFrame), Qt::NoBrush, skin.frame, true);
        p->restore();
        QPalette palette = box->palette;
        palette.setColor(QPalette::WindowText, skin.caption);
        drawItemText(p, title.adjusted(kGroupTitleSpace, 0, -kGroupTitleSpace, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, palette,
                     box->state & State_Enabled, box->text, QPalette::WindowText);
    }
};

QPointer<SkinStyle> installedStyle;

} // namespace

QStyle* skinStyle(QStyle* base)
{
    installedStyle = new SkinStyle(base);
    return installedStyle;
}

void applySkin(QWidget* window, const Skin& skin)
{
    if (!installedStyle)
        QApplication::setStyle(skinStyle(QApplication::style()));
    skinnedWindows().push_back({window, skin});
    QObject::connect(window, &QObject::destroyed, [window] {
        auto& windows = skinnedWindows();
        std::erase_if(windows, [window](const SkinnedWindow& s) { return s.window == window; });
    });
    window->setAttribute(Qt::WA_StyledBackground);
    // Controls made before are measured and polished again in it; a window that takes its
    // skin before its controls are made pays nothing here.
    QStyle* style = QApplication::style();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->testAttribute(Qt::WA_WState_Polished))
            style->polish(w);
        QEvent change(QEvent::StyleChange);
        QCoreApplication::sendEvent(w, &change);
    }
}

} // namespace ui
