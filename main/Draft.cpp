#include "Draft.h"

#include "FormBinding.h"
#include "Unit1.h"

#include "ui/Dialogs.h"
#include "ui/StatusBar.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QStandardPaths>

#include <exception>

namespace {

const QString kFileName = QStringLiteral("rascunho.json");
constexpr int kNoticeMs = 5000;

} // namespace

Draft::Draft(TForm1& form, const QString& folder)
    : m_form(form), m_folder(folder), m_lock(QDir(folder).filePath(kFileName + QStringLiteral(".lock")))
{
    // A lock is stale only when the copy that took it is gone, however long it has run.
    m_lock.setStaleLockTime(0);
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &Draft::write);
}

Draft::~Draft()
{
    flush();
    m_form.removeEventFilter(this);
}

QString Draft::defaultFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

QString Draft::path() const { return QDir(m_folder).filePath(kFileName); }

QString Draft::setAsidePath() const { return path() + QStringLiteral(".invalido"); }

bool Draft::start()
{
    QDir folder(m_folder);
    if (!folder.exists()) {
        folder.mkpath(QStringLiteral("."));
        // The draft holds document numbers and a photo: the folder is the user's alone.
        QFile::setPermissions(m_folder,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    if (!m_lock.tryLock(0) && m_lock.error() != QLockFile::LockFailedError) {
        // No lock can be made there (a folder the user may not write): no draft can be either.
        ui::showErrorBox(QStringLiteral("O rascunho do currículo não pode ser guardado na pasta \"%1\"; "
                                        "salve os dados do currículo antes de fechar o Sovranel.")
                             .arg(QDir::toNativeSeparators(m_folder)));
        return false;
    }
    if (!m_lock.isLocked()) {
        const QString notice = QStringLiteral("O Sovranel já está aberto: esta janela não guarda rascunho.");
        m_form.showStatusNotice(notice, kNoticeMs);
        m_form.StatusBar1->setPanelText(1, QStringLiteral("Sem rascunho"));
        return false;
    }
    m_keeping = true;
    FormBinding& binding = m_form.formData();
    if (QFile::exists(path())) {
        try {
            binding.apply(readFormDataFile(path(), binding.schema()));
            m_form.showStatusNotice(QStringLiteral("Rascunho recuperado."), kNoticeMs);
        } catch (const std::exception& e) {
            binding.reset();
            QFile::remove(setAsidePath());
            QFile::rename(path(), setAsidePath());
            ui::showErrorBox(QStringLiteral("O rascunho do último currículo não pôde ser recuperado e foi "
                                            "guardado à parte em \"%1\".\n%2")
                                 .arg(QDir::toNativeSeparators(setAsidePath()), QString::fromUtf8(e.what())));
        }
    }
    connect(&binding, &FormBinding::changed, this, &Draft::changed);
    connect(&binding, &FormBinding::erased, this, &Draft::erased);
    m_form.installEventFilter(this);
    return true;
}

void Draft::changed()
{
    m_pending = true;
    // Not restarted by later changes: someone typing without a pause is written every second.
    if (!m_timer.isActive())
        m_timer.start();
}

void Draft::erased()
{
    m_timer.stop();
    m_pending = false;
    QFile::remove(path());
}

void Draft::flush()
{
    if (m_pending)
        write();
}

void Draft::write()
{
    m_timer.stop();
    if (!m_keeping)
        return;
    m_pending = false;
    try {
        const FormBinding& binding = m_form.formData();
        saveDataFile(path(), writeFormData(binding.data(), binding.schema()));
        m_failed = false;
    } catch (const std::exception& e) {
        // Said once: the next change tries again, quietly until a write succeeds.
        if (!std::exchange(m_failed, true))
            ui::showErrorBox(
                QStringLiteral("O rascunho não pôde ser guardado: %1").arg(QString::fromUtf8(e.what())));
    }
}

bool Draft::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_form && event->type() == QEvent::Close)
        flush();
    return false;
}
