#include "Unit1.h"
#include "Unit2.h"

#include "capture/VideoSource.h"
#include "capture/VideoView.h"
#include "ui/Dialogs.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// What the fake source was asked, so a test can see which device runs and where.
struct FakeState {
    QStringList names;
    QImage frame; // what the running device delivers; null: no frame yet
    int running = -1;
    capture::VideoView* view = nullptr;
    QStringList calls;
};

class FakeSource : public capture::VideoSource {
  public:
    explicit FakeSource(std::shared_ptr<FakeState> state) : m_state(std::move(state)) {}
    QStringList devices() const override { return m_state->names; }
    void start(int index, capture::VideoView* view) override
    {
        m_state->running = index;
        m_state->view = view;
        m_state->calls << QStringLiteral("start %1").arg(index);
    }
    QImage latestFrame() const override { return m_state->running >= 0 ? m_state->frame : QImage(); }
    void stop() override
    {
        m_state->running = -1;
        m_state->view = nullptr;
        m_state->calls << QStringLiteral("stop");
    }

  private:
    std::shared_ptr<FakeState> m_state;
};

QImage filled(QSize size, QColor colour, QImage::Format format = QImage::Format_ARGB32)
{
    QImage image(size, format);
    image.fill(colour);
    return image;
}

enum class Photo { None, File, Bitmap };

void givePhoto(ui::PictureBox* box, Photo photo)
{
    switch (photo) {
    case Photo::None:
        box->clear();
        break;
    case Photo::File:
        box->setFilePicture(filled({40, 30}, Qt::blue), QByteArrayLiteral("\xff\xd8jpeg"), "JPEG");
        break;
    case Photo::Bitmap:
        box->setBitmap(filled({10, 10}, Qt::green, QImage::Format_RGB888));
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Photo)

class WebcamTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void devicesAreListedInOrderWithTheirNamesAndIndexes_data();
    void devicesAreListedInOrderWithTheirNamesAndIndexes();
    void choosingAnotherDeviceReplacesTheRunningOne();
    void okMakesThePhotoABitmapOfTheLatestFrame_data();
    void okMakesThePhotoABitmapOfTheLatestFrame();
    void leavingWithoutOkKeepsThePhotoAndStopsTheDevice_data();
    void leavingWithoutOkKeepsThePhotoAndStopsTheDevice();
    void everyOpeningStartsBlackWithNoDeviceRunning();
    void theWindowLooksAsDrawn();
    void realLayerWithoutCamera();

  private:
    // Builds Form1 and frm_foto around a fake source offering `names`.
    void build(const QStringList& names);
    void openWindow();
    QAction* deviceItem(int i) const { return frm_foto->Devices->actions().at(i); }

    std::shared_ptr<FakeState> m_fake;
    QStringList m_unexpectedDialogs;
};

void WebcamTest::init()
{
    m_unexpectedDialogs.clear();
    ui::setDialogHook([this](const ui::DialogRequest& request) {
        m_unexpectedDialogs << request.text;
        return ui::DialogButton::Ok;
    });
}

void WebcamTest::cleanup()
{
    delete frm_foto;
    delete Form1;
    m_fake.reset();
    ui::setDialogHook({});
    QCOMPARE(m_unexpectedDialogs, QStringList());
}

void WebcamTest::build(const QStringList& names)
{
    m_fake = std::make_shared<FakeState>();
    m_fake->names = names;
    Environment env;
    env.now = [] { return QDateTime(QDate(2026, 3, 2), QTime(9, 0)); };
    env.videoSource = [state = m_fake] { return std::make_unique<FakeSource>(state); };
    new TForm1(env);
    new Tfrm_foto;
}

void WebcamTest::openWindow()
{
    frm_foto->show();
    QVERIFY(QTest::qWaitForWindowExposed(frm_foto));
    m_fake->calls.clear();
}

void WebcamTest::devicesAreListedInOrderWithTheirNamesAndIndexes_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::newRow("two webcams in the system's order")
        << QStringList{"USB Camera (046d:0825)", "Câmera integrada"};
    QTest::newRow("a name with an ampersand shows it as typed") << QStringList{"Video & Som"};
    QTest::newRow("no webcam leaves the menu empty") << QStringList{};
}

void WebcamTest::devicesAreListedInOrderWithTheirNamesAndIndexes()
{
    QFETCH(QStringList, names);
    build(names);
    QCOMPARE(frm_foto->Devices->title(), QStringLiteral("Selecione a WebCam"));
    QVERIFY(frm_foto->MainMenu1->font().bold());
    QCOMPARE(frm_foto->MainMenu1->actions().size(), 1);
    const QList<QAction*> items = frm_foto->Devices->actions();
    QStringList shown;
    QList<int> tags;
    for (QAction* item : items) {
        shown << item->iconText();
        tags << item->data().toInt();
    }
    QCOMPARE(shown, names);
    QList<int> expectedTags;
    for (int i = 0; i < names.size(); ++i)
        expectedTags << i;
    QCOMPARE(tags, expectedTags);
    QCOMPARE(m_fake->calls, QStringList()); // listing starts nothing
}

void WebcamTest::choosingAnotherDeviceReplacesTheRunningOne()
{
    build({"Primeira", "Segunda"});
    openWindow();
    deviceItem(1)->trigger();
    QCOMPARE(m_fake->running, 1);
    QCOMPARE(m_fake->view, frm_foto->VideoWindow);
    deviceItem(0)->trigger();
    QCOMPARE(m_fake->running, 0);
    QCOMPARE(m_fake->view, frm_foto->VideoWindow);
    QCOMPARE(m_fake->calls, (QStringList{"start 1", "start 0"}));
    QVERIFY(frm_foto->isVisible());
}

void WebcamTest::okMakesThePhotoABitmapOfTheLatestFrame_data()
{
    QTest::addColumn<Photo>("before");
    QTest::addColumn<bool>("deviceChosen");
    QTest::addColumn<QImage>("frame");
    QTest::addColumn<QImage>("expected"); // null: an empty bitmap
    const QImage frame = filled({320, 240}, QColor(200, 100, 50));
    const QImage frameIn24Bits = filled({320, 240}, QColor(200, 100, 50), QImage::Format_RGB888);
    const QImage bitmap = filled({10, 10}, Qt::green, QImage::Format_RGB888);
    QTest::newRow("a frame replaces a file's picture") << Photo::File << true << frame << frameIn24Bits;
    QTest::newRow("a frame replaces a bitmap") << Photo::Bitmap << true << frame << frameIn24Bits;
    QTest::newRow("a frame fills an empty photo at the video's own size")
        << Photo::None << true << filled({640, 480}, Qt::red)
        << filled({640, 480}, Qt::red, QImage::Format_RGB888);
    QTest::newRow("without a device a file's picture becomes an empty bitmap")
        << Photo::File << false << frame << QImage();
    QTest::newRow("without a device no photo becomes an empty bitmap")
        << Photo::None << false << frame << QImage();
    QTest::newRow("without a device a bitmap stays") << Photo::Bitmap << false << frame << bitmap;
    QTest::newRow("a device with no frame yet keeps a bitmap") << Photo::Bitmap << true << QImage() << bitmap;
    QTest::newRow("a device with no frame yet empties a file's picture")
        << Photo::File << true << QImage() << QImage();
}

void WebcamTest::okMakesThePhotoABitmapOfTheLatestFrame()
{
    QFETCH(Photo, before);
    QFETCH(bool, deviceChosen);
    QFETCH(QImage, frame);
    QFETCH(QImage, expected);
    build({"Webcam"});
    givePhoto(Form1->Image1, before);
    m_fake->frame = frame;
    // Opened modally, as the photo page opens it.
    QTimer::singleShot(0, frm_foto, [this, deviceChosen] {
        if (deviceChosen)
            deviceItem(0)->trigger();
        QTest::mouseClick(frm_foto->BitBtn3, Qt::LeftButton);
    });
    frm_foto->exec();

    QVERIFY(!frm_foto->isVisible());
    QCOMPARE(Form1->Image1->kind(), ui::PictureKind::Bitmap);
    QCOMPARE(Form1->Image1->image(), expected);
    if (!expected.isNull())
        QCOMPARE(Form1->Image1->image().depth(), 24);
    QCOMPARE(m_fake->running, -1);
}

void WebcamTest::leavingWithoutOkKeepsThePhotoAndStopsTheDevice_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("deviceChosen");
    QTest::addColumn<Photo>("before");
    QTest::newRow("Cancel before any device keeps a file's picture") << "Cancel" << false << Photo::File;
    QTest::newRow("Cancel while the picture runs keeps a file's picture") << "Cancel" << true << Photo::File;
    QTest::newRow("Esc while the picture runs keeps a bitmap") << "Esc" << true << Photo::Bitmap;
    QTest::newRow("Esc before any device keeps no photo") << "Esc" << false << Photo::None;
    QTest::newRow("the window manager's close while running keeps a file's picture")
        << "close" << true << Photo::File;
}

void WebcamTest::leavingWithoutOkKeepsThePhotoAndStopsTheDevice()
{
    QFETCH(QString, way);
    QFETCH(bool, deviceChosen);
    QFETCH(Photo, before);
    build({"Webcam"});
    givePhoto(Form1->Image1, before);
    const ui::PictureKind kind = Form1->Image1->kind();
    const QImage image = Form1->Image1->image();
    m_fake->frame = filled({320, 240}, Qt::red);
    openWindow();
    if (deviceChosen)
        deviceItem(0)->trigger();
    if (way == "Cancel") {
        QTest::mouseClick(frm_foto->BitBtn1, Qt::LeftButton);
    } else if (way == "Esc") {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : frm_foto, Qt::Key_Escape);
    } else {
        frm_foto->close();
    }
    QVERIFY(!frm_foto->isVisible());
    QCOMPARE(Form1->Image1->kind(), kind);
    QCOMPARE(Form1->Image1->image(), image);
    QCOMPARE(m_fake->running, -1);
    QCOMPARE(m_fake->calls.last(), QStringLiteral("stop"));
}

void WebcamTest::everyOpeningStartsBlackWithNoDeviceRunning()
{
    build({"Webcam"});
    openWindow();
    deviceItem(0)->trigger();
    QTest::mouseClick(frm_foto->BitBtn3, Qt::LeftButton);
    QVERIFY(!frm_foto->isVisible());

    // Even a window hidden without being closed comes back idle.
    openWindow();
    deviceItem(0)->trigger();
    frm_foto->hide();
    frm_foto->show();
    QVERIFY(QTest::qWaitForWindowExposed(frm_foto));
    QCOMPARE(m_fake->running, -1);
    QCOMPARE(m_fake->calls, (QStringList{"start 0", "stop"}));
    QCOMPARE(frm_foto->Devices->actions().size(), 1); // the list is made once, not per opening
    QCOMPARE(frm_foto->VideoWindow->palette().color(QPalette::Window), QColor(Qt::black));
}

void WebcamTest::theWindowLooksAsDrawn()
{
    build({"Webcam"});
    openWindow();
    QCOMPARE(frm_foto->windowTitle(), QStringLiteral("Capturar Foto"));
    QVERIFY(!(frm_foto->windowFlags() & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)));
    const int menuHeight = frm_foto->MainMenu1->height();
    QVERIFY(menuHeight > 0);
    QCOMPARE(frm_foto->size(), QSize(231, menuHeight + 261));
    const QPoint client(0, menuHeight);
    QCOMPARE(frm_foto->VideoWindow->geometry().translated(frm_foto->VideoWindow->parentWidget()->pos()),
             QRect(client + QPoint(3, 0), QSize(225, 209)));
    QCOMPARE(frm_foto->BitBtn3->text(), QStringLiteral("OK"));
    QVERIFY(frm_foto->BitBtn3->isDefault());
    QVERIFY(!frm_foto->BitBtn3->icon().isNull());
    QCOMPARE(frm_foto->BitBtn1->text(), QStringLiteral("Cancel"));
    QCOMPARE(frm_foto->BitBtn3->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(frm_foto->BitBtn1->cursor().shape(), Qt::PointingHandCursor);
    const QImage shown = frm_foto->grab().toImage();
    QCOMPARE(shown.pixelColor(client + QPoint(3 + 112, 104)), QColor(Qt::black));
}

void WebcamTest::realLayerWithoutCamera()
{
    if (!QDir(QStringLiteral("/dev")).entryList({QStringLiteral("video*")}, QDir::System).isEmpty())
        QSKIP("this machine has a video device");
    Environment env;
    env.now = [] { return QDateTime(QDate(2026, 3, 2), QTime(9, 0)); };
    new TForm1(env);
    new Tfrm_foto;
    QVERIFY(frm_foto->Devices->actions().isEmpty());

    givePhoto(Form1->Image1, Photo::File);
    QTimer::singleShot(0, frm_foto, [] { QTest::mouseClick(frm_foto->BitBtn3, Qt::LeftButton); });
    frm_foto->exec();
    QVERIFY(!frm_foto->isVisible());
    QCOMPARE(Form1->Image1->kind(), ui::PictureKind::Bitmap);
    QVERIFY(Form1->Image1->isEmpty());

    QTimer::singleShot(0, frm_foto, [] { QTest::mouseClick(frm_foto->BitBtn1, Qt::LeftButton); });
    frm_foto->exec();
    QVERIFY(!frm_foto->isVisible());
}

QTEST_MAIN(WebcamTest)
#include "tst_webcam.moc"
