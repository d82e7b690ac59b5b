#pragma once

class QWidget;

namespace kaz {

//! The About box over parent: the program, its version, who makes it and its home page as a link.
void ShowAbout(QWidget* parent);

}  // namespace kaz
