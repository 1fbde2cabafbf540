#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

class TForm1;

// Keeps what the user typed between sessions: the entry window's data is written to
// "rascunho.json" in the user's data folder about a second after a change (never later than
// a second after the first change not yet written, so a crash loses at most that second) and
// at once when the window closes, and is put back at the next start. One running copy of the
// program keeps the draft; a second copy neither restores nor writes it.
class Draft : public QObject {
    Q_OBJECT
  public:
    Draft(TForm1& form, const QString& folder);
    // Writes a change not yet written.
    ~Draft() override;

    // The user's data folder of the program.
    static QString defaultFolder();
    static constexpr int kDelayMs = 1000;

    QString path() const;
    QString setAsidePath() const; // where a draft that could not be read goes

    // Takes the lock beside the draft, puts a draft that exists back into the form (saying so
    // in the status bar), and keeps the draft from then on. A draft that cannot be read is set
    // aside with a message in the error box, and the form stays empty. Returns false when
    // another copy of the program keeps the draft (this one then says so and keeps none).
    bool start();

    // Writes a change not yet written, now.
    void flush();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void changed();
    void erased();
    void write();

    TForm1& m_form;
    QString m_folder;
    QLockFile m_lock;
    QTimer m_timer;
    bool m_keeping = false;
    bool m_pending = false;
    bool m_failed = false; // the last write failed (and said so); the next failure is quiet
};
