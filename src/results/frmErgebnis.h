#pragma once

#include "ui/ScreenBase.h"

// Stand-in until the screen is built.
class frmErgebnis final : public ui::ScreenBase
{
    Q_OBJECT

public:
    explicit frmErgebnis(const ui::ScreenContext& context, QWidget* parent = nullptr);

};
