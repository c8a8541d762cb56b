#pragma once

class QWidget;

namespace ondal {

// Keeps a window's access keys from typing into its fields: Alt and a letter
// with no enabled control to take it (a button disabled for now, say) would
// otherwise reach the focused field as the letter itself. Call once the
// window's fields are made; it watches each of them.
void guardAccessKeys(QWidget &window);

} // namespace ondal
