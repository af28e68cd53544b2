#pragma once

#include "ui/ScreenBase.h"

// Stand-in until the screen is built.
class frmEditUnit final : public ui::ScreenBase
{
    Q_OBJECT

public:
    explicit frmEditUnit(const ui::ScreenContext& context, QWidget* parent = nullptr);

};
