#include "base/QtFont.h"

#include <QFontInfo>
#include <algorithm>
#include <cstdlib>

#include "base/ByteCodec.h"
#include "base/QtText.h"

namespace {
constexpr std::uint8_t kFixedPitchModern = 0x31;
constexpr std::uint8_t kVariablePitch = 0x02;
constexpr int kLightestWeight = 1;
constexpr int kHeaviestWeight = 1000;
} // namespace

QFont FontOfRecord(const LogFontRecord& record) {
    QFont font(ToQt(std::string(TextOf(record.faceName))));
    if ((record.pitchAndFamily & 0x03) == 0x01) {
        font.setStyleHint(QFont::Monospace);
        font.setFixedPitch(true);
    }
    if (record.height != 0) {
        font.setPixelSize(std::abs(record.height));
    }
    if (record.weight > 0) {
        font.setWeight(static_cast<QFont::Weight>(
            std::clamp(record.weight, kLightestWeight, kHeaviestWeight)));
    }
    font.setItalic(record.italic != 0);
    font.setUnderline(record.underline != 0);
    font.setStrikeOut(record.strikeOut != 0);
    return font;
}

LogFontRecord RecordOfFont(const QFont& font) {
    const QFontInfo info(font);
    LogFontRecord record;
    // A negative height is the character height without the leading, as pixel sizes are.
    record.height = -(font.pixelSize() > 0 ? font.pixelSize() : info.pixelSize());
    record.weight = font.weight();
    record.italic = font.italic() ? 1 : 0;
    record.underline = font.underline() ? 1 : 0;
    record.strikeOut = font.strikeOut() ? 1 : 0;
    record.pitchAndFamily = info.fixedPitch() ? kFixedPitchModern : kVariablePitch;
    SetText(record.faceName, FromQt(font.family()));
    return record;
}
