#include "mainwindow/WordListDocument.h"

namespace mainwindow {

ui::PrintDocument wordListDocument(const lesson::WordList& list)
{
    // The fonts of the results printout, so that both printouts look alike.
    const QString font = QStringLiteral("Times New Roman");
    ui::PrintDocument document;
    document.pageNumbers = true;
    document.lines.reserve(list.rows.size() + 3);
    document.lines.append({list.title, font, 14, true, true});
    document.lines.append({QStringLiteral(" "), font, 12});
    if (list.rows.isEmpty()) {
        document.lines.append({QStringLiteral("Die Lektion enthält keine Vokabeln."), font, 12});
        return document;
    }
    document.lines.append({list.foreignHeading, font, 12, true, false, list.germanHeading});
    for (const lesson::WordListRow& row : list.rows)
        document.lines.append({row.foreign, font, 12, false, false, row.german});
    return document;
}

} // namespace mainwindow
