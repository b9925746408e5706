#pragma once

#include <QString>
#include <string>
#include <string_view>

// Files hold 8-bit text of no declared encoding. Windows show it as UTF-8 where the bytes are
// valid UTF-8 and as Windows-1252 where they are not, so old files keep their accented letters.
QString toDisplay(std::string_view bytes);

// What a user typed, as the bytes the programs keep (UTF-8).
std::string fromDisplay(const QString& text);
