#include "Unit6.h"

#include "DialogParts.h"
#include "Unit1.h"

#include "ui/Application.h"
#include "ui/ColourBox.h"
#include "ui/Glyphs.h"
#include "ui/Look.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

Timpressao* impressao = nullptr;

using namespace dialogparts;

namespace {

struct ModelRow {
    const char* box;
    const char* caption;
    QRect boxAt;
    const char* picture;
    QRect pictureAt;
    QSize bitmap; // the sample's own size; the picture box shows its top-left part
};

const ModelRow kModels[] = {
    {"Modelo1", "Modelo 1", {56, 200, 81, 17}, "Image1", {8, 32, 185, 162}, {206, 162}},
    {"Modelo2", "Modelo 2", {256, 200, 81, 17}, "Image2", {200, 32, 185, 162}, {186, 166}},
    {"Modelo3", "Modelo 3", {440, 200, 89, 17}, "Image3", {392, 32, 185, 162}, {182, 161}},
};

// A separator drawn as a sunken line along the bottom of its place.
QFrame* bottomLine(QWidget* parent, const char* name, const QRect& at)
{
    auto* f = place<QFrame>(parent, name, at);
    f->setStyleSheet(QStringLiteral("QFrame { border: none; border-bottom: 1px solid palette(light); }"));
    auto* dark = new QFrame(f);
    dark->setGeometry(0, at.height() - 2, at.width(), 1);
    dark->setStyleSheet(QStringLiteral("QFrame { border: none; background: palette(dark); }"));
    return f;
}

// The layout choice, in the room the dialog grows by below its other controls.
struct LayoutRow {
    PageLayout layout;
    const char* button;
    const char* caption;
    QRect buttonAt;
    const char* picture;
    QRect pictureAt;
};

const LayoutRow kLayouts[] = {
    {PageLayout::Classico, "Layout1", "Clássico", {80, 384, 97, 17}, "Image4", {8, 352, 64, 88}},
    {PageLayout::Moderno, "Layout2", "Moderno", {272, 384, 97, 17}, "Image5", {200, 352, 64, 88}},
};

} // namespace

const std::array<QString, 3>& Timpressao::modelFonts()
{
    static const std::array<QString, 3> fonts = {QStringLiteral("Arial"), QStringLiteral("Monotype Corsiva"),
                                                 QStringLiteral("Brush Script MT")};
    return fonts;
}

QImage Timpressao::samplePicture(int model)
{
    const ModelRow& row = kModels[model - 1];
    const QString family = modelFonts()[std::size_t(model - 1)];
    QImage image(row.bitmap, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    // Laid out within the part that the picture box shows.
    const QSize seen = row.bitmap.boundedTo(row.pictureAt.size());
    const int w = seen.width();
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(0, 0, w - 1, seen.height() - 1);

    QFont heading(family);
    heading.setPixelSize(24);
    heading.setBold(true);
    p.setFont(heading);
    p.setPen(Qt::black);
    p.drawText(QRect(8, 8, w - 16, 36), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Sovranel Vitae"));
    p.drawLine(8, 48, w - 9, 48);

    struct Line {
        const char* title;
        const char* value;
    };
    const Line lines[] = {
        {"Nome:", "Maria da Silva"}, {"Nascimento:", "15/03/1990"}, {"Naturalidade:", "Recife"}};
    QFont title(family);
    title.setPixelSize(14);
    title.setBold(true);
    QFont value(family);
    value.setPixelSize(14);
    int y = 58;
    for (const Line& line : lines) {
        p.setFont(title);
        const QString t = QString::fromUtf8(line.title);
        p.drawText(QPoint(8, y + 14), t);
        const int x = 8 + QFontMetrics(title).horizontalAdvance(t) + 5;
        p.setFont(value);
        p.drawText(QPoint(x, y + 14), QString::fromUtf8(line.value));
        y += 24;
    }
    p.setPen(QPen(Qt::black, 1, Qt::DashDotLine));
    p.drawLine(8, y + 8, w - 9, y + 8);
    return image;
}

QImage Timpressao::layoutPicture(PageLayout layout)
{
    const QSize size = kLayouts[0].pictureAt.size();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int w = size.width(), h = size.height();
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(0, 0, w - 1, h - 1);
    const QColor ink(0x30, 0x30, 0x30), grey(0xa0, 0xa0, 0xa0), accent(0x1f, 0x4e, 0x99);
    auto bar = [&](double x, double y, double width, double height, const QColor& c) {
        p.fillRect(QRectF(x, y, width, height), c);
    };
    auto rule = [&](double y, const QColor& c, Qt::PenStyle style = Qt::SolidLine) {
        p.setPen(QPen(c, 0.8, style));
        p.drawLine(QPointF(6, y), QPointF(w - 6, y));
    };
    if (layout == PageLayout::Classico) {
        // A framed form: the title centred, field titles with their values, the photo
        // beside them, sections opened by a line.
        p.setPen(QPen(ink, 0.8));
        p.drawRect(QRectF(4, 4, w - 8, h - 8));
        bar(w / 2.0 - 14, 8, 28, 3, ink);
        p.fillRect(QRectF(w - 19, 16, 11, 12), QColor(0xc8, 0xd0, 0xdc));
        for (int i = 0; i < 5; ++i) {
            bar(8, 17 + i * 4.5, 8, 1.6, ink);
            bar(18, 17 + i * 4.5, 14 + (i % 3) * 6, 1.6, grey);
        }
        double y = 40;
        for (int section = 0; section < 3; ++section) {
            rule(y, ink);
            bar(8, y + 3, 18, 1.8, ink);
            for (int i = 0; i < 2; ++i) {
                bar(8, y + 8 + i * 4, 10, 1.4, ink);
                bar(20, y + 8 + i * 4, 12 + (i % 2) * 10, 1.4, grey);
            }
            y += 15;
        }
    } else {
        // The name large, the position beneath, the photo at the right; headings in colour
        // over thin rules, no frame.
        bar(6, 7, 30, 4, accent);
        bar(6, 13, 22, 2, ink);
        bar(6, 17.5, 36, 1.2, grey);
        bar(6, 20, 30, 1.2, grey);
        p.fillRect(QRectF(w - 17, 7, 11, 12), QColor(0xc8, 0xd0, 0xdc));
        double y = 28;
        for (int section = 0; section < 3; ++section) {
            bar(6, y, 20, 2, accent);
            rule(y + 3.5, accent);
            for (int i = 0; i < 2; ++i) {
                bar(6, y + 6 + i * 6.5, 18, 1.6, ink);
                if (section == 0)
                    bar(w - 18, y + 6 + i * 6.5, 12, 1.4, grey);
                bar(6, y + 9 + i * 6.5, 34 + (i % 2) * 8, 1.2, grey);
            }
            y += 19;
        }
    }
    return image;
}

PageLayout Timpressao::layout() const
{
    return Layout2->isChecked() ? PageLayout::Moderno : PageLayout::Classico;
}

// Long but flat: it makes the dialog's controls one after the other, in their tab order.
Timpressao::Timpressao(QWidget* parent) : QDialog(parent)
{
    impressao = this;
    setObjectName(QStringLiteral("impressao"));
    setWindowTitle(QStringLiteral("Configure o estilo do seu Curriculo!"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(584, 448);
    setFont(sansSerif(11));

    Label1 = label(this, "Label1", {8, 8}, QStringLiteral("Selecione o modelo da letra do seu curriculo:"),
                   sansSerif(13));

    QLabel** pictures[] = {&Image1, &Image2, &Image3};
    QCheckBox** boxes[] = {&Modelo1, &Modelo2, &Modelo3};
    for (int i = 0; i < 3; ++i) {
        const ModelRow& row = kModels[i];
        QLabel* picture = place<QLabel>(this, row.picture, row.pictureAt);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop); // its sample is drawn on first showing
        picture->setCursor(Qt::PointingHandCursor);
        picture->installEventFilter(this);
        *pictures[i] = picture;
        QCheckBox* box = place<QCheckBox>(this, row.box, row.boxAt);
        box->setText(QString::fromLatin1(row.caption));
        box->setFont(sansSerif(13));
        box->setCursor(Qt::PointingHandCursor);
        *boxes[i] = box;
    }

    fonte = place<QLineEdit>(this, "fonte", {448, 216, 121, 21});
    fonte->setVisible(false);

    Bevel1 = bottomLine(this, "Bevel1", {8, 225, 553, 7});

    Label2 = label(this, "Label2", {8, 236}, QStringLiteral("Escolha a cor da fonte do seu curriculo:"),
                   sansSerif(13));

    cor = place<ui::ColourBox>(this, "cor", {8, 256, 89, 21});
    cor->setCursor(Qt::PointingHandCursor);
    cor->setStyleSheet(QStringLiteral("QComboBox#cor { background: white; }"));

    Bevel2 = bottomLine(this, "Bevel2", {8, 281, 297, 7});

    paginas = place<QCheckBox>(this, "paginas", {8, 296, 185, 17});
    paginas->setText(QStringLiteral("Exibir contador de páginas"));
    paginas->setFont(sansSerif(13));
    paginas->setChecked(true);
    paginas->setCursor(Qt::PointingHandCursor);

    BitBtn2 = place<QPushButton>(this, "BitBtn2", {320, 272, 123, 41});
    BitBtn2->setText(QStringLiteral("Cancel"));
    BitBtn2->setIcon(ui::cancelGlyph());
    BitBtn2->setCursor(Qt::PointingHandCursor);
    BitBtn2->setAutoDefault(false);

    BitBtn1 = place<QPushButton>(this, "BitBtn1", {448, 272, 123, 41});
    BitBtn1->setText(QStringLiteral("OK"));
    BitBtn1->setIcon(ui::okGlyph());
    BitBtn1->setCursor(Qt::PointingHandCursor);
    BitBtn1->setDefault(true);

    Bevel3 = bottomLine(this, "Bevel3", {8, 318, 563, 7});
    Label3 = label(this, "Label3", {8, 330}, QStringLiteral("Layout da página:"), sansSerif(13));
    QLabel** layoutPictures[] = {&Image4, &Image5};
    QRadioButton** layoutButtons[] = {&Layout1, &Layout2};
    for (int i = 0; i < 2; ++i) {
        const LayoutRow& row = kLayouts[i];
        QLabel* picture = place<QLabel>(this, row.picture, row.pictureAt);
        picture->setPixmap(QPixmap::fromImage(layoutPicture(row.layout)));
        picture->setCursor(Qt::PointingHandCursor);
        picture->installEventFilter(this);
        *layoutPictures[i] = picture;
        auto* button = place<QRadioButton>(this, row.button, row.buttonAt);
        button->setText(QString::fromUtf8(row.caption));
        button->setFont(sansSerif(13));
        button->setCursor(Qt::PointingHandCursor);
        *layoutButtons[i] = button;
    }
    Layout1->setChecked(true);

    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, fonte);
    setTabOrder(fonte, Modelo1);
    setTabOrder(Modelo1, Modelo2);
    setTabOrder(Modelo2, Modelo3);
    setTabOrder(Modelo3, cor);
    setTabOrder(cor, paginas);
    setTabOrder(paginas, Layout1);
    setTabOrder(Layout1, Layout2);

    connect(Modelo1, &QCheckBox::toggled, this, ui::guard(this, &Timpressao::Modelo1Click));
    connect(Modelo2, &QCheckBox::toggled, this, ui::guard(this, &Timpressao::Modelo2Click));
    connect(Modelo3, &QCheckBox::toggled, this, ui::guard(this, &Timpressao::Modelo3Click));
    connect(BitBtn1, &QPushButton::clicked, this, ui::guard(this, &Timpressao::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, ui::guard(this, &Timpressao::BitBtn2Click));

    ui::guarded([this] { FormCreate(); });
}

void Timpressao::FormCreate() { Modelo1->setChecked(true); }

void Timpressao::FormShow()
{
    BitBtn1->setEnabled(true);
    BitBtn1->setText(QStringLiteral("OK"));
}

void Timpressao::showEvent(QShowEvent* event)
{
    // The samples are set in the models' own fonts, which nothing else loads at start-up.
    if (Image1->pixmap().isNull()) {
        const std::array<QLabel*, 3> pictures{Image1, Image2, Image3};
        for (int model = 1; model <= 3; ++model)
            pictures[std::size_t(model - 1)]->setPixmap(QPixmap::fromImage(samplePicture(model)));
    }
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

bool Timpressao::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* picture = qobject_cast<QWidget*>(watched);
        if (picture && mouse->button() == Qt::LeftButton &&
            picture->rect().contains(mouse->position().toPoint())) {
            if (watched == Image1)
                Image1Click();
            else if (watched == Image2)
                Image2Click();
            else if (watched == Image3)
                Image3Click();
            else if (watched == Image4)
                Layout1->setChecked(true);
            else if (watched == Image5)
                Layout2->setChecked(true);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Timpressao::Image1Click() { Modelo1->setChecked(true); }
void Timpressao::Image2Click() { Modelo2->setChecked(true); }
void Timpressao::Image3Click() { Modelo3->setChecked(true); }
void Timpressao::Modelo1Click() { modelChanged(1); }
void Timpressao::Modelo2Click() { modelChanged(2); }
void Timpressao::Modelo3Click() { modelChanged(3); }

void Timpressao::modelChanged(int n)
{
    const auto boxes = models();
    if (!boxes[std::size_t(n - 1)]->isChecked())
        return;
    fonte->setText(modelFonts()[std::size_t(n - 1)]);
    // The others are cleared lower-numbered first; each one's own handler then stops at once.
    for (int other = 1; other <= 3; ++other)
        if (other != n)
            boxes[std::size_t(other - 1)]->setChecked(false);
}

void Timpressao::BitBtn1Click()
{
    BitBtn1->setEnabled(false);
    BitBtn1->setText(QStringLiteral("Aguarde..."));
    // A failure while the résumé is generated or previewed ends in the error box; the dialog
    // then closes as after OK.
    ui::guarded([this] {
        FillOptions options;
        options.fontName = fonte->text();
        options.colour = cor->selectedColour();
        options.pageCounter = paginas->isChecked();
        options.layout = layout();
        Form1->prepareResume(options);
        Form1->VisualizarCurriculo();
    });
    accept();
}

void Timpressao::BitBtn2Click() { reject(); }
