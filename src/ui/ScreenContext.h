#pragma once

#include "store/DataTree.h"
#include "ui/Navigator.h"
#include "ui/Services.h"

namespace ui {


// What every screen receives from the one place that creates screens.
struct ScreenContext
{
    store::DataTree tree;
    Services services;
    Navigator& screens;
};

} // namespace ui
