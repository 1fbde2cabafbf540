#pragma once

#include <QFrame>
#include <QLabel>
#include <vector>

namespace ui {

// A status bar of fixed-width text panels, the last one taking what is left.
class StatusBar : public QFrame {
    Q_OBJECT
  public:
    explicit StatusBar(const std::vector<int>& panelWidths, QWidget* parent = nullptr);
    int panelCount() const { return int(m_panels.size()); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);

  protected:
    void resizeEvent(QResizeEvent*) override;

  private:
    void layoutPanels();
    std::vector<int> m_widths;
    std::vector<QLabel*> m_panels;
};

} // namespace ui
