#pragma once

// Result figures for screen readers. A result label shows only a number; described here, its
// accessible name is its caption (what the figure is) and its value and description are the
// figure as shown, kept current as the window rewrites it.

#include <initializer_list>
#include <utility>

class QWidget;

namespace expans::ui {

// Pairs of object names under root: the figure's label, then its caption label.
void describeResults(QWidget* root,
                     std::initializer_list<std::pair<const char*, const char*>> pairs);

}  // namespace expans::ui
