#include "qt/conversions.h"

#include <fontconfig/fontconfig.h>

#include <QGuiApplication>
#include <QPalette>
#include <algorithm>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

namespace koropika {

namespace {

// Families that fontconfig on Debian knows: fonts-ipafont-gothic, fonts-ipafont-mincho,
// fonts-noto-cjk and fonts-liberation2. The heavy face asks for the black weight and gets the
// heaviest one installed: black for the Japanese face, bold for the Latin one.
struct FaceMapping {
    const char* face;
    const char* family;
    const char* latinFamily;  // for English text, in front of `family`
    QFont::Weight weight;
    bool overstrikeBold;  // the Japanese family has no bold style and thin strokes
};

constexpr FaceMapping kFaces[] = {
    {kProportionalGothic, "IPAPGothic", "Liberation Sans", QFont::Normal, false},
    {kProportionalMincho, "IPAPMincho", "Liberation Serif", QFont::Normal, true},
    {kHeavyGothic, "Noto Sans CJK JP", "Liberation Sans", QFont::Black, false},
};
// Faces the layout names without a mapping of their own are drawn as the proportional Gothic.
constexpr const FaceMapping& kFallbackFace = kFaces[0];

const FaceMapping& mappingOf(const Font& font) {
    const auto* found = std::ranges::find_if(
        kFaces, [&](const FaceMapping& mapping) { return font.face == mapping.face; });
    return found != std::ranges::end(kFaces) ? *found : kFallbackFace;
}

// The installed family fontconfig picks for `family` (a generic name such as "Sans Serif"
// included), or `family` itself when it picks none.
QString installedFamily(const QString& family) {
    using Pattern = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;
    const QByteArray name = family.toUtf8();
    const Pattern pattern(FcPatternCreate(), FcPatternDestroy);
    FcPatternAddString(pattern.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(name.constData()));
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const Pattern match(FcFontMatch(nullptr, pattern.get(), &result), FcPatternDestroy);
    FcChar8* matched = nullptr;
    if (match && FcPatternGetString(match.get(), FC_FAMILY, 0, &matched) == FcResultMatch) {
        return QString::fromUtf8(reinterpret_cast<const char*>(matched));
    }
    return family;
}

// installedFamily's answer for one family name, worked out ahead of the first window.
struct FamilyAnswer {
    QString family;
    QString installed;
};
std::mutex preparedAnswerMutex;
std::optional<FamilyAnswer> preparedAnswer;

QString preparedOrInstalledFamily(const QString& family) {
    {
        const std::lock_guard lock(preparedAnswerMutex);
        if (preparedAnswer && preparedAnswer->family == family) {
            return preparedAnswer->installed;
        }
    }
    return installedFamily(family);
}

}  // namespace

QColor toQColor(const Colour& colour) {
    switch (colour.role) {
        case Colour::Role::HighlightText:
            return QGuiApplication::palette().color(QPalette::HighlightedText);
        case Colour::Role::MenuText:
            return QGuiApplication::palette().color(QPalette::WindowText);
        case Colour::Role::Rgb:
            break;
    }
    return QColor::fromRgb(static_cast<QRgb>(colour.rgb & 0xFFFFFF));
}

QFont toQFont(const Font& font, Language language) {
    const FaceMapping& mapping = mappingOf(font);
    QStringList families{QString::fromLatin1(mapping.family)};
    if (language == Language::English) {
        families.prepend(QString::fromLatin1(mapping.latinFamily));
    }
    const QFont::Weight weight = mapping.weight;
    QFont result;
    result.setFamilies(families);
    result.setPixelSize(std::max(1, qRound(font.points * 96.0 / 72.0)));
    result.setWeight(font.bold ? std::max(weight, QFont::Bold) : weight);
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    return result;
}

QFont withLayoutGothic(const QFont& standard) {
    QFont result = standard;
    // The family the standard font resolves to: a generic name such as "Sans Serif" is no
    // installed family, and would hand every character to the Gothic face. Fontconfig's match
    // is the one Qt makes; asked directly, it costs no font of its own before the first window.
    result.setFamilies(
        {preparedOrInstalledFamily(standard.family()), QString::fromLatin1(kFallbackFace.family)});
    return result;
}

void prepareLayoutGothic(const QString& standardFamily) {
    FamilyAnswer answer{standardFamily, installedFamily(standardFamily)};
    const std::lock_guard lock(preparedAnswerMutex);
    preparedAnswer = std::move(answer);
}

bool needsOverstrikeBold(const Font& font, Language language) {
    return font.bold && language == Language::Japanese && mappingOf(font).overstrikeBold;
}

std::optional<MouseButton> fromQt(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        default:
            return std::nullopt;
    }
}

}  // namespace koropika
