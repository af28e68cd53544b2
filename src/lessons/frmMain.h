#pragma once

#include "ui/ScreenBase.h"

// Stand-in until the screen is built.
class frmMain final : public ui::ScreenBase
{
    Q_OBJECT

public:
    explicit frmMain(const ui::ScreenContext& context, QWidget* parent = nullptr);

};
