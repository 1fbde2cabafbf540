#include "ui/BalloonHint.h"

#include "ui/Application.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace ui {
namespace {

constexpr int kArrow = 10; // height of the arrow below the body
constexpr int kShadow = 4; // shadow width
constexpr int kPad = 6;    // text padding inside the body
constexpr int kRadius = 6;
constexpr int kMaxTextWidth = 320;

class HintFilter : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::ToolTip: {
            auto* w = qobject_cast<QWidget*>(watched);
            if (!w)
                return false;
            // The hint of the widget under the pointer, or of the nearest parent that has one.
            QWidget* owner = w;
            while (owner && owner->toolTip().isEmpty() && !owner->isWindow())
                owner = owner->parentWidget();
            if (!owner || owner->toolTip().isEmpty()) {
                BalloonHint::instance()->hide();
                return true;
            }
            BalloonHint::instance()->showHint(owner->toolTip(), static_cast<QHelpEvent*>(event)->globalPos());
            return true;
        }
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
        case QEvent::WindowDeactivate:
            if (m_made && BalloonHint::instance()->isVisible() && watched != BalloonHint::instance())
                BalloonHint::instance()->hide();
            return false;
        default:
            return false;
        }
    }
    bool m_made = false;
};

HintFilter* g_filter = nullptr;

} // namespace

void BalloonHint::install(QObject* application)
{
    if (!g_filter) {
        g_filter = new HintFilter(application);
        application->installEventFilter(g_filter);
    }
}

BalloonHint* BalloonHint::instance()
{
    static QPointer<BalloonHint> b;
    if (!b) {
        b = new BalloonHint();
        if (g_filter)
            g_filter->m_made = true;
    }
    return b;
}

BalloonHint::BalloonHint() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("BalloonHint"));
    // An X11 desktop may have no compositor (old computers often have none), and there a
    // see-through window shows black: the balloon then paints a copy of what lies beneath
    // it, and its shadow darkens that copy.
    m_copyBackdrop = QGuiApplication::platformName() == QLatin1String("xcb");
    if (!m_copyBackdrop)
        setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    QFont f = formFont(QStringLiteral("Arial"));
    f.setPixelSize(13);
    setFont(f);
    m_hide.setSingleShot(true);
    connect(&m_hide, &QTimer::timeout, this, &QWidget::hide);
    // The balloon lives as long as the application.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &QObject::deleteLater);
}

void BalloonHint::showHint(const QString& text, const QPoint& globalTip)
{
    m_text = text;
    const QFontMetrics fm(font());
    const QRect textRect =
        fm.boundingRect(QRect(0, 0, kMaxTextWidth, 1000), Qt::TextWordWrap, text.trimmed());
    const QSize body(textRect.width() + 2 * kPad, textRect.height() + 2 * kPad);
    resize(body.width() + kShadow + 1, body.height() + kArrow + kShadow + 1);
    // The balloon stands above and to the right of the spot, its arrow pointing down at it.
    QPoint topLeft(globalTip.x() - 12, globalTip.y() - height());
    if (const QScreen* screen = QGuiApplication::screenAt(globalTip)) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() - width())));
        topLeft.setY(std::max(topLeft.y(), area.top()));
    }
    move(topLeft);
    if (m_copyBackdrop) {
        hide(); // not to copy the balloon itself
        if (QScreen* screen = QGuiApplication::screenAt(globalTip)) {
            const QPoint at = topLeft - screen->geometry().topLeft();
            m_backdrop = screen->grabWindow(0, at.x(), at.y(), width(), height());
        }
    }
    show();
    raise();
    update();
    m_hide.start(Application::hintHidePause());
}

void BalloonHint::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_copyBackdrop)
        p.drawPixmap(0, 0, m_backdrop);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body(0.5, 0.5, width() - kShadow - 1, height() - kArrow - kShadow - 1);

    QPainterPath shape;
    shape.addRoundedRect(body, kRadius, kRadius);
    QPainterPath arrow;
    arrow.moveTo(body.left() + 8, body.bottom() - 1);
    arrow.lineTo(body.left() + 12, body.bottom() + kArrow);
    arrow.lineTo(body.left() + 22, body.bottom() - 1);
    arrow.closeSubpath();
    shape = shape.united(arrow);

    // Shadow: the same shape, offset and translucent.
    p.fillPath(shape.translated(kShadow, kShadow), QColor(0, 0, 0, 70));
    p.fillPath(shape, QColor(255, 255, 225)); // the info colour
    p.setPen(QPen(Qt::black, 1));
    p.drawPath(shape);
    p.setPen(Qt::black);
    p.drawText(body.adjusted(kPad, kPad, -kPad, -kPad), Qt::TextWordWrap, m_text.trimmed());
}

} // namespace ui
