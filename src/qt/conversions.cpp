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

// Families that fontconfig on Debian knows: fonts-ipafont-gothic, fonts-ipafont-mincho and
// fonts-noto-cjk. The heavy face asks for the black weight and gets the heaviest one installed.
struct FaceMapping {
    const char* face;
    const char* family;
    QFont::Weight weight;
    bool overstrikeBold;  // the installed family has no bold style and thin strokes
};

constexpr FaceMapping kFaces[] = {
    {kProportionalGothic, "IPAPGothic", QFont::Normal, false},
    {kProportionalMincho, "IPAPMincho", QFont::Normal, true},
    {kHeavyGothic, "Noto Sans CJK JP", QFont::Black, false},
};
constexpr const char* kFallbackFamily = "IPAPGothic";

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

QFont toQFont(const Font& font) {
    QString family = QString::fromLatin1(kFallbackFamily);
    QFont::Weight weight = QFont::Normal;
    for (const FaceMapping& mapping : kFaces) {
        if (font.face == mapping.face) {
            family = QString::fromLatin1(mapping.family);
            weight = mapping.weight;
        }
    }
    QFont result;
    result.setFamilies({family});
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
        {preparedOrInstalledFamily(standard.family()), QString::fromLatin1(kFallbackFamily)});
    return result;
}

void prepareLayoutGothic(const QString& standardFamily) {
    FamilyAnswer answer{standardFamily, installedFamily(standardFamily)};
    const std::lock_guard lock(preparedAnswerMutex);
    preparedAnswer = std::move(answer);
}

bool needsOverstrikeBold(const Font& font) {
    if (!font.bold) {
        return false;
    }
    return std::ranges::any_of(kFaces, [&](const FaceMapping& mapping) {
        return font.face == mapping.face && mapping.overstrikeBold;
    });
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
