#pragma once

#include <QIcon>

// The pictures of the main screen, drawn rather than loaded so they scale with the screen.
namespace mainwindow::icons {

// Green face with a white arrow pointing ahead: start the lesson.
[[nodiscard]] QIcon go();
// Red face with the white power sign: end the program.
[[nodiscard]] QIcon end();

} // namespace mainwindow::icons
