#include "report/Fonts.h"

#include "ui/Application.h"

#include <QFontInfo>
#include <QHash>
#include <QImage>
#include <QRawFont>

#include <fontconfig/fontconfig.h>

#include <memory>

namespace report {
namespace {

QFont baseFont(const FontSpec& font)
{
    static const bool substitutes = [] {
        ui::installFontSubstitutes();
        return true;
    }();
    Q_UNUSED(substitutes);
    QFont f(font.family);
    f.setPointSizeF(font.pointSize);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setHintingPreference(QFont::PreferNoHinting);
    // Latin text needs no shaping; without it the faces' "fi" and "fl" ligatures stay apart.
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferNoShaping | QFont::PreferOutline));
    return f;
}

// Which characters a face has, asked once per face and character.
class Coverage {
  public:
    explicit Coverage(const QFont& font) : m_raw(QRawFont::fromFont(font)) {}
    bool has(char32_t ch)
    {
        const auto it = m_known.constFind(ch);
        if (it != m_known.constEnd())
            return *it;
        const bool has = m_raw.isValid() && m_raw.supportsCharacter(uint(ch));
        m_known.insert(ch, has);
        return has;
    }
    bool matches(const QString& family) const { return m_raw.familyName() == family; }

  private:
    QRawFont m_raw;
    QHash<char32_t, bool> m_known;
};

Coverage& coverageOf(const FontSpec& font)
{
    static QHash<QString, std::shared_ptr<Coverage>> cache;
    const QString key = font.family + (font.bold ? QLatin1String("|b") : QLatin1String("|")) +
                        (font.italic ? QLatin1String("i") : QLatin1String(""));
    auto& c = cache[key];
    if (!c)
        c = std::make_shared<Coverage>(baseFont(font));
    return *c;
}

Coverage& fallbackCoverage(int index)
{
    static std::vector<std::unique_ptr<Coverage>> cache;
    if (cache.empty())
        for (const QString& family : fallbackFamilies()) {
            QFont f(family);
            f.setStyleStrategy(QFont::NoFontMerging);
            auto c = std::make_unique<Coverage>(f);
            // A face that is not installed resolves to some other one: it covers nothing.
            if (!c->matches(family))
                c = std::make_unique<Coverage>(QFont());
            cache.push_back(std::move(c));
        }
    return *cache[size_t(index)];
}

bool dropped(char32_t ch)
{
    return (ch >= 0xFE00 && ch <= 0xFE0F) || ch == 0x200D || (ch >= 0xE0020 && ch <= 0xE007F) ||
           (ch >= 0xE0100 && ch <= 0xE01EF);
}

FaceFile fontconfigFile(const QString& family, bool bold, bool italic)
{
    FcPattern* pattern = FcPatternCreate();
    const QByteArray name = family.toUtf8();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.constData()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FaceFile file{QString(), bold, italic, QString()};
    FcChar8* path = nullptr;
    FcChar8* matched = nullptr;
    FcChar8* postscript = nullptr;
    // Only the face asked for: fontconfig would otherwise answer with whatever it has.
    if (match && FcPatternGetString(match, FC_FAMILY, 0, &matched) == FcResultMatch &&
        QString::fromUtf8(reinterpret_cast<const char*>(matched)).compare(family, Qt::CaseInsensitive) == 0 &&
        FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
        file.path = QString::fromUtf8(reinterpret_cast<const char*>(path));
        if (FcPatternGetString(match, FC_POSTSCRIPT_NAME, 0, &postscript) == FcResultMatch)
            file.postscriptName = QString::fromUtf8(reinterpret_cast<const char*>(postscript));
    }
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return file;
}

} // namespace

const QStringList& fallbackFamilies()
{
    static const QStringList families = {QStringLiteral("DejaVu Sans"), QStringLiteral("Symbola")};
    return families;
}

QFont toQFont(const FontSpec& font)
{
    QFont f = baseFont(font);
    QStringList families = ui::installedFaces(font.family);
    families += fallbackFamilies();
    f.setFamilies(families);
    return f;
}

QFont toQFont(const FontSpec& font, const QPaintDevice& device)
{
    QFont f = toQFont(font);
    f.setPointSizeF(font.pointSize * 96.0 / device.logicalDpiY());
    return f;
}

const QPaintDevice& layoutDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        image.setDotsPerMeterX(3780); // 96 dpi
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return device;
}

int faceFor(char32_t ch, const FontSpec& font)
{
    if (coverageOf(font).has(ch))
        return 0;
    for (int i = 0; i < fallbackFamilies().size(); ++i)
        if (fallbackCoverage(i).has(ch))
            return i + 1;
    return -1;
}

QString printableText(const QString& text, const FontSpec& font)
{
    bool plain = true;
    for (QChar c : text)
        if (c.unicode() >= 0x250) {
            plain = false;
            break;
        }
    if (plain)
        return text; // Latin letters: every face of the report has them
    QString out;
    out.reserve(text.size());
    for (const char32_t ch : text.toUcs4()) {
        if (dropped(ch))
            continue;
        const QChar::Category category = QChar::category(ch);
        const bool drawn = category != QChar::Other_Control && category != QChar::Other_Format &&
                           category != QChar::Separator_Space && category != QChar::Separator_Line &&
                           category != QChar::Separator_Paragraph;
        if (category == QChar::Other_NotAssigned || category == QChar::Other_Surrogate ||
            (drawn && faceFor(ch, font) < 0))
            out += QChar(0xFFFD);
        else
            out += QString::fromUcs4(&ch, 1);
    }
    return out;
}

FaceFile fontFile(const FontSpec& font)
{
    const QFontInfo info(baseFont(font));
    FaceFile file = fontconfigFile(info.family(), info.bold(), info.italic());
    file.bold = info.bold();
    file.italic = info.italic();
    return file;
}

FaceFile fallbackFontFile(int index)
{
    if (index < 0 || index >= fallbackFamilies().size())
        return {};
    FaceFile file = fontconfigFile(fallbackFamilies()[index], false, false);
    file.bold = file.italic = false;
    return file;
}

FaceFile faceFileFor(char32_t ch, const FontSpec& font)
{
    const int face = faceFor(ch, font);
    if (face < 0)
        return {};
    if (face == 0)
        return fontFile(font);
    return fontconfigFile(fallbackFamilies()[face - 1], font.bold, font.italic);
}

} // namespace report
