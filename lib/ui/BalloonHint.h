#pragma once

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace ui {

// The balloon in which our programs show control hints in place of the toolkit's plain
// tooltip: Arial 10 pt black on the info colour, a black border, a soft shadow and an arrow
// pointing at the spot the pointer rests on. It goes away after the application's hint
// hide pause.
class BalloonHint : public QWidget {
    Q_OBJECT
  public:
    // Shows balloons for every widget of the application from now on.
    static void install(QObject* application);
    // The one balloon of the application, made on first use.
    static BalloonHint* instance();

    void showHint(const QString& text, const QPoint& globalTip);
    QString text() const { return m_text; }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    explicit BalloonHint();
    QString m_text;
    QTimer m_hide;
    bool m_copyBackdrop = false;
    QPixmap m_backdrop;
};

} // namespace ui
