#include "signin/frmIntro.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace signin {

namespace {

// A letter tile of 32 x 32 pixels, one for each letter of the alphabet.
QPixmap letterTile(QChar letter, int index)
{
    QPixmap tile(32, 32);
    tile.fill(Qt::transparent);
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = QColor::fromHsv((index * 360 / 26 + 200) % 360, 120, 230);
    QLinearGradient gradient(0, 0, 0, 32);
    gradient.setColorAt(0, base.lighter(125));
    gradient.setColorAt(1, base.darker(115));
    p.setBrush(gradient);
    p.setPen(QPen(base.darker(160), 1));
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 5, 5);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(19);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(40, 40, 60));
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QString(letter));
    return tile;
}

QFont handwriting(const QString& family, double points, bool bold, bool italic)
{
    QFont font(family);
    // Linux rarely has the Windows handwriting fonts; fall back to a calligraphic face.
    font.setFamilies({family, QStringLiteral("Z003"), QStringLiteral("URW Chancery L"),
                      QStringLiteral("DejaVu Serif")});
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// Puts a label where the splash has it; a fallback font that needs more room grows it about
// the same centre line rather than cutting the text.
void place(QLabel* label, const QRect& at)
{
    label->setAlignment(Qt::AlignCenter);
    const QSize need = label->sizeHint();
    const int width = std::max(at.width(), need.width());
    const int height = std::max(at.height(), need.height());
    label->setGeometry(std::max(0, at.left() - (width - at.width()) / 2), at.top(), width, height);
}

} // namespace

frmIntro::frmIntro(const ui::ScreenContext& context, QWidget* parent)
    : ui::ScreenBase(context, parent)
{
    setObjectName(QStringLiteral("frmIntro"));
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setFixedSize(320, 179);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 250, 235));
    setPalette(pal);
    createTitle();
    createTiles();
    connectTimer();
}

void frmIntro::createTitle()
{
    auto* title = new QLabel(QStringLiteral("Paukomat V1.1"), this);
    title->setFont(handwriting(QStringLiteral("Viner Hand ITC"), 20.25, true, true));
    place(title, QRect(72, 8, 169, 41));
    auto* subtitle = new QLabel(QStringLiteral("Vokabeltrainer"), this);
    subtitle->setFont(handwriting(QStringLiteral("Lucida Handwriting"), 11.25, false, false));
    place(subtitle, QRect(88, 48, 137, 17));
    Label1 = {title, subtitle};
    for (int i = 0; i < Label1.size(); ++i)
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
}

void frmIntro::createTiles()
{
    // Three staggered rows of letter tiles: 9, 8 and 9.
    const int rows[3] = {9, 8, 9};
    int index = 0;
    for (int row = 0; row < 3; ++row) {
        const int width = rows[row] * 34 - 2;
        const int left = (320 - width) / 2;
        for (int col = 0; col < rows[row]; ++col, ++index) {
            auto* image = new QLabel(this);
            image->setObjectName(QStringLiteral("Image1_%1").arg(index));
            image->setPixmap(letterTile(QChar(u'A' + index), index));
            image->setGeometry(left + col * 34, 75 + row * 34, 32, 32);
            Image1.append(image);
        }
    }
}

void frmIntro::connectTimer()
{
    tmrIntro = new QTimer(this);
    tmrIntro->setObjectName(QStringLiteral("tmrIntro"));
    tmrIntro->setInterval(3000);
    connect(tmrIntro, &QTimer::timeout, this, &frmIntro::tmrIntro_Timer);
}

bool frmIntro::Form_Load()
{
    services().help.setHelpFile(context().helpFile);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    tmrIntro->start();
    return true;
}

void frmIntro::tmrIntro_Timer()
{
    tmrIntro->stop();
    ui::Navigator& next = screens();
    closeScreen();
    next.showLogin();
}

void frmIntro::paintEvent(QPaintEvent* event)
{
    ui::ScreenBase::paintEvent(event);
    // A frameless window needs an edge of its own to stand out from the desktop.
    QPainter p(this);
    p.setPen(QColor(150, 130, 80));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace signin
