#pragma once

#include "ui/ScreenBase.h"

// Stand-in until the screen is built.
class frmLogin final : public ui::ScreenBase
{
    Q_OBJECT

public:
    explicit frmLogin(const ui::ScreenContext& context, QWidget* parent = nullptr);
    static void Form_Terminate(const store::DataTree& tree);
};
