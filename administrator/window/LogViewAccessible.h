#pragma once

namespace administrator::window {

// Lets screen readers read the log view as a read-only text, as they read a text
// box: its text, its lines, the reader's place and the chosen lines. Installing it
// twice does no harm.
void installLogViewAccessible();

}  // namespace administrator::window
