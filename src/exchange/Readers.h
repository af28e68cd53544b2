#pragma once

#include "exchange/Exchange.h"

// The two readers behind readImportData; fileName is bare.
namespace exchange::detail {

// UTF-8 (without BOM) or Windows-1252 text without NUL bytes; the suffix helps to find the
// separator.
[[nodiscard]] ImportSource readDelimited(const QByteArray& bytes, const QString& fileName,
                                         const ReadProgress& progress);

// A KVTML 2.0 document in the encoding it declares; lessonName is its title, or empty.
[[nodiscard]] ImportSource readKvtml(const QByteArray& bytes, const QString& fileName,
                                     const ReadProgress& progress);

// A source that holds only the message that the user stopped reading it.
[[nodiscard]] ImportSource cancelled(const QString& fileName);

// Done for an empty problem, otherwise the file refused with it.
[[nodiscard]] store::Outcome refusal(const QString& problem);

} // namespace exchange::detail
