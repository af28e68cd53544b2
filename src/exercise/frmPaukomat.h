#pragma once

#include "ui/ScreenBase.h"

// Stand-in until the screen is built.
class frmPaukomat final : public ui::ScreenBase
{
    Q_OBJECT

public:
    explicit frmPaukomat(const ui::ScreenContext& context, QWidget* parent = nullptr);

};
