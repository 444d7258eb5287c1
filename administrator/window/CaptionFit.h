#pragma once
#include <QRect>
#include <QWidget>

namespace administrator::window {

// True when the control's caption, laid out as the control lays it out (a label
// wrapped at word boundaries, a button's on one line inside its frame), is shown
// whole in `rect`. Controls without a caption always fit.
bool captionFits(const QWidget& control, const QRect& rect);

}  // namespace administrator::window
