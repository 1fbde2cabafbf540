#pragma once

#include <QComboBox>

#include <vector>

namespace ui {

class FolderList;

// A volume a person would save to: where it is mounted and how the list names it.
struct Volume {
    QString rootPath; // "/", "/media/maria/PENDRIVE"
    QString name;
    bool removable = false;
};

// A pick-only list of the volumes to save to. Tied to a folder list, choosing a volume opens
// the folder last opened on it (at first its root), and opening a folder in the list selects
// the volume that holds it.
class DriveList : public QComboBox {
    Q_OBJECT
  public:
    explicit DriveList(QWidget* parent = nullptr);

    // The root, the volume of the home folder, and writable drives under /media, /run/media and
    // /mnt (pen drives, memory cards, other disks).
    static std::vector<Volume> systemVolumes();

    // Lists these volumes; one that was listed before keeps the folder last opened on it.
    void setVolumes(std::vector<Volume> volumes);
    const std::vector<Volume>& volumes() const { return m_volumes; }
    void setFolderList(FolderList* list);

    // The volume holding `folder` (the one with the longest root that contains it), or -1.
    int volumeOf(const QString& folder) const;
    QString currentFolderOf(int volume) const { return m_currentFolders.at(std::size_t(volume)); }

  private:
    void chosen(int index);
    void folderOpened(const QString& folder);

    std::vector<Volume> m_volumes;
    std::vector<QString> m_currentFolders;
    FolderList* m_list = nullptr;
};

} // namespace ui
