#pragma once

#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace ui {

// The side of the program's drawn icons; Qt scales them for buttons and menus.
inline constexpr int IconSide = 64;

// An icon painted with antialiasing on a transparent square; draw(painter, side) paints it.
template <class Draw> [[nodiscard]] QIcon drawnIcon(Draw draw)
{
    QPixmap canvas(IconSide, IconSide);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p, qreal(IconSide));
    }
    return QIcon(canvas);
}

} // namespace ui
