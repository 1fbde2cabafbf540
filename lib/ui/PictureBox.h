#pragma once

#include <QByteArray>
#include <QImage>
#include <QWidget>

namespace ui {

// What a picture box holds: nothing, a bitmap made by the program (a webcam frame), or a
// picture read from a file (which keeps the file's own encoded bytes).
enum class PictureKind { Empty, Bitmap, File };

// A picture stretched to fill the whole box, whatever its proportions.
class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent = nullptr);

    PictureKind kind() const { return m_kind; }
    bool isEmpty() const { return m_image.isNull(); }
    const QImage& image() const { return m_image; }
    // The file's bytes and their format ("JPEG", "BMP", ...) for a picture read from a file.
    const QByteArray& encoded() const { return m_encoded; }
    const QByteArray& format() const { return m_format; }

    void setBitmap(const QImage& image);
    void setFilePicture(const QImage& image, const QByteArray& encoded, const QByteArray& format);
    void clear();

  signals:
    void changed();

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    QImage m_image;
    QByteArray m_encoded;
    QByteArray m_format;
    PictureKind m_kind = PictureKind::Empty;
};

} // namespace ui
