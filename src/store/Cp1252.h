#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace store {

// Western European Windows code page: the single-byte encoding of every file the program writes.
// The five codes that the code page leaves free (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the
// control characters of the same number, so any byte sequence survives decode and encode.
[[nodiscard]] QString fromCp1252(QByteArrayView bytes);

// Encodes text; a character the code page cannot hold becomes "?" and clears *ok.
[[nodiscard]] QByteArray toCp1252(const QString& text, bool* ok = nullptr);

// True when every character of the text has a code in the code page.
[[nodiscard]] bool fitsCp1252(const QString& text);

} // namespace store
