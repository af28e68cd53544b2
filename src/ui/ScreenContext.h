#pragma once

#include "store/DataTree.h"
#include "ui/Navigator.h"
#include "ui/Services.h"

namespace ui {

// What every screen receives from the one place that creates screens.
struct ScreenContext
{
    store::DataTree tree;
    // Lies where the program is installed, which need not be the data tree's root.
    QString helpFile;
    Services services;
    Navigator& screens;
};

} // namespace ui
