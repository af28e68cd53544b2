#pragma once

#include "ui/ScreenBase.h"

#include <QList>

class QLabel;
class QTimer;

namespace signin {

// Splash: names the help file of the program run and gives way to the sign-in screen after
// three seconds. It takes no input and cannot be closed early.
class frmIntro final : public ui::ScreenBase
{
    Q_OBJECT

public:
    explicit frmIntro(const ui::ScreenContext& context, QWidget* parent = nullptr);

    bool Form_Load() override;

protected:
    bool Form_QueryUnload() override { return false; }
    void paintEvent(QPaintEvent* event) override;

private:
    void createTitle();
    void createTiles();
    void connectTimer();

    void tmrIntro_Timer();

    QList<QLabel*> Label1;
    QList<QLabel*> Image1;
    QTimer* tmrIntro = nullptr;
};

} // namespace signin
