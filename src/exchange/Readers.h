#pragma once

#include "exchange/Exchange.h"

// The two readers behind readImportData. Both get text bytes that hold no NUL; fileName is bare.
namespace exchange::detail {

// UTF-8 (without BOM) or Windows-1252 text; the suffix helps to find the separator.
[[nodiscard]] ImportSource readDelimited(const QByteArray& bytes, const QString& fileName);

// A KVTML 2.0 document; lessonName is its title, or empty when it has none.
[[nodiscard]] ImportSource readKvtml(const QByteArray& bytes, const QString& fileName);

} // namespace exchange::detail
