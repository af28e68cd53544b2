#pragma once

#include "ui/ScreenBase.h"

// Stand-in until the screen is built.
class frmNewUser final : public ui::ScreenBase
{
    Q_OBJECT

public:
    explicit frmNewUser(const ui::ScreenContext& context, QWidget* parent = nullptr);

};
