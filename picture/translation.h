#pragma once

class QLocale;

namespace tovik {

// Installs the program's own translation of its messages (tovik-images_<language>.qm,
// built into the program) for the first of the locale's languages that has one, and
// Qt's translation of its own texts for that language where Qt has one. True when the
// program's translation was found; with none, the English texts of the source stay.
bool installTranslation(const QLocale& locale);

}  // namespace tovik
