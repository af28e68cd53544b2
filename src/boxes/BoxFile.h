#pragma once

#include "boxes/Boxes.h"
#include "store/Outcome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The file beside a lesson that keeps its boxes, one scrambled line per pair that has a place:
// the box, "\\", the day of the last answer as yyyy-MM-dd, "\\" and the foreign word. The word
// comes last, so whatever it holds cannot shift the other fields.
namespace boxes {

// The plain line of a pair's place.
[[nodiscard]] QByteArray placeLine(const QString& foreign, const Place& place);

// The places the file holds. A missing or unreadable file holds none; a damaged line, or a
// second line of the same word, is passed over, so that pair stands in the first box, due.
[[nodiscard]] Boxes readBoxFile(const QString& path);

// Replaces the file as a whole with the places of the words given, in their order, each once.
[[nodiscard]] store::Outcome writeBoxFile(const QString& path, const Boxes& boxes,
                                          const QStringList& words);

} // namespace boxes
