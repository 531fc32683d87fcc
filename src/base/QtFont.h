#pragma once
// The stored logical font record and Qt's fonts: a record is shown by face name, pixel height,
// weight, italic, underline and strike-out; a chosen font is kept in a record of the same kind.

#include <QFont>

#include "base/SettingsRecords.h"

QFont FontOfRecord(const LogFontRecord& record);
// The record of a font chosen by the user; the fields Qt has no word for (width, escapement,
// orientation, character set, precisions, quality) are zero, as a fresh record has them.
LogFontRecord RecordOfFont(const QFont& font);
