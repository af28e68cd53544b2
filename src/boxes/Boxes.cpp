#include "boxes/Boxes.h"

#include <algorithm>

namespace boxes {

int daysUntilDue(int box)
{
    return 1 << (std::clamp(box, FirstBox, LastBox) - 1);
}

std::optional<Place> Boxes::place(const QString& foreign) const
{
    const auto it = m_places.constFind(foreign);
    if (it == m_places.cend())
        return std::nullopt;
    return *it;
}

int Boxes::boxOf(const QString& foreign) const
{
    return m_places.value(foreign).box;
}

QDate Boxes::dueDay(const QString& foreign, QDate today) const
{
    const auto it = m_places.constFind(foreign);
    if (it == m_places.cend())
        return today;
    return std::min(it->answered, today).addDays(daysUntilDue(it->box));
}

bool Boxes::isDue(const QString& foreign, QDate today) const
{
    return dueDay(foreign, today) <= today;
}

void Boxes::answer(const QString& foreign, bool right, QDate today)
{
    Place& place = m_places[foreign];
    place.box = right ? std::min(place.box + 1, LastBox) : FirstBox;
    place.answered = today;
}

void Boxes::set(const QString& foreign, const Place& place)
{
    if (place.box < FirstBox || place.box > LastBox || !place.answered.isValid())
        return;
    m_places.insert(foreign, place);
}

void Boxes::forget(const QString& foreign)
{
    m_places.remove(foreign);
}

} // namespace boxes
