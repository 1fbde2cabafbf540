#include "ui/StatusBar.h"

namespace ui {

StatusBar::StatusBar(const std::vector<int>& panelWidths, QWidget* parent)
    : QFrame(parent), m_widths(panelWidths)
{
    setObjectName(QStringLiteral("StatusBar"));
    for (size_t i = 0; i < m_widths.size(); ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("panel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        m_panels.push_back(panel);
    }
    layoutPanels();
}

QString StatusBar::panelText(int index) const { return m_panels.at(size_t(index))->text(); }

void StatusBar::setPanelText(int index, const QString& text) { m_panels.at(size_t(index))->setText(text); }

void StatusBar::resizeEvent(QResizeEvent*) { layoutPanels(); }

void StatusBar::layoutPanels()
{
    int x = 0;
    for (size_t i = 0; i < m_panels.size(); ++i) {
        const bool last = i + 1 == m_panels.size();
        const int w = last ? std::max(m_widths[i], width() - x) : m_widths[i];
        m_panels[i]->setGeometry(x, 2, w - 2, height() - 2);
        x += w;
    }
}

} // namespace ui
