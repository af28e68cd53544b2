#include "mainwindow/MainIcons.h"

#include "ui/DrawnIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace mainwindow::icons {
namespace {

// A round, shaded button face in the given colour; the symbol is drawn on top of it.
void roundFace(QPainter& p, const QColor& colour, qreal size)
{
    QRadialGradient shade(size * 0.35, size * 0.3, size * 0.75);
    shade.setColorAt(0, colour.lighter(150));
    shade.setColorAt(1, colour.darker(120));
    p.setBrush(shade);
    p.setPen(QPen(colour.darker(170), size / 32.0));
    p.drawEllipse(QRectF(size * 0.04, size * 0.04, size * 0.92, size * 0.92));
}

} // namespace

QIcon go()
{
    return ui::drawnIcon([](QPainter& p, qreal s) {
        roundFace(p, QColor(40, 160, 60), s);
        QPainterPath arrow;
        arrow.moveTo(s * 0.38, s * 0.26);
        arrow.lineTo(s * 0.74, s * 0.5);
        arrow.lineTo(s * 0.38, s * 0.74);
        arrow.closeSubpath();
        p.setPen(QPen(QColor(20, 90, 30), s / 40.0));
        p.setBrush(Qt::white);
        p.drawPath(arrow);
    });
}

QIcon end()
{
    return ui::drawnIcon([](QPainter& p, qreal s) {
        roundFace(p, QColor(200, 45, 40), s);
        p.setPen(QPen(Qt::white, s * 0.09, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        const QRectF ring(s * 0.29, s * 0.3, s * 0.42, s * 0.42);
        p.drawArc(ring, 120 * 16, 300 * 16);
        p.drawLine(QPointF(s * 0.5, s * 0.2), QPointF(s * 0.5, s * 0.48));
    });
}

} // namespace mainwindow::icons
