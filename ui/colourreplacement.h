#pragma once

// "Заменить цвет…" as its dialog collects it.
struct ColourReplacement {
    int from = 0;
    int to = 1;
    bool swap = false;           // the two indices trade places
    bool selectionOnly = false;  // only within the selection
};
