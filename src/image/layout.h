#pragma once

#include <QString>

// The channel layout of a model, parsed once from the configuration's layout type. Layout 0 has 8 grid
// columns, layout 1 has 11 and the priority channel. A type the configuration names otherwise keeps the
// grid of layout 0, but its function byte is never recomputed and its priority channel is read as in
// layout 0 yet written as in layout 1.
enum class Layout { Zero, One, Other };

// "" and "0" -> Zero, "1" -> One, any other text -> Other.
Layout parseLayout(const QString& text);
// "0" or "1"; Other has no text of its own and gives "".
QString layoutText(Layout layout);
