#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// Leitner boxes: every pair of a lesson stands in one of five boxes. A right answer moves it one
// box up, a wrong one back to the first; the higher its box, the longer until it is asked again.
namespace boxes {

inline constexpr int FirstBox = 1;
inline constexpr int LastBox = 5;

// Calendar days from the day of the answer until a pair in that box is due again.
[[nodiscard]] int daysUntilDue(int box);

// Where a pair stands after its last answer. A pair never answered has no place and stands in
// the first box, due at once.
struct Place
{
    int box = FirstBox;
    QDate answered;

    friend bool operator==(const Place&, const Place&) = default;
};

// The places of a lesson's pairs, by foreign word. "today" is always handed in, so that the
// clock can be anything, even set back: an answer dated after today counts as given today.
class Boxes
{
public:
    [[nodiscard]] std::optional<Place> place(const QString& foreign) const;
    [[nodiscard]] int boxOf(const QString& foreign) const;
    // The first day on which the pair is asked again; today for a pair never answered.
    [[nodiscard]] QDate dueDay(const QString& foreign, QDate today) const;
    [[nodiscard]] bool isDue(const QString& foreign, QDate today) const;

    // Moves the pair one box up (at most the last) or back to the first, answered today.
    void answer(const QString& foreign, bool right, QDate today);
    // Puts a pair where it stands; a box outside 1 to 5 or a day that is no date is no place.
    void set(const QString& foreign, const Place& place);
    // The pair starts again in the first box, due at once.
    void forget(const QString& foreign);

    // Every pair that has a place, in no particular order.
    [[nodiscard]] QStringList words() const { return m_places.keys(); }
    [[nodiscard]] qsizetype size() const { return m_places.size(); }
    [[nodiscard]] bool isEmpty() const { return m_places.isEmpty(); }

private:
    QHash<QString, Place> m_places;
};

} // namespace boxes
