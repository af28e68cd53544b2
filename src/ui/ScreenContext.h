#pragma once

#include "store/DataTree.h"
#include "ui/Services.h"

namespace ui {

class Screens;

// What every screen receives from the one place that creates screens.
struct ScreenContext
{
    store::DataTree tree;
    Services services;
    Screens& screens;
};

} // namespace ui
