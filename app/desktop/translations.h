// Qt's own texts (the context menu of a text box, the standard dialogs) in
// Japanese, from Qt's translation files of the system.
#pragma once

class QCoreApplication;

namespace korvel {

// Loads Qt's Japanese translation for the base module into the application.
// False when the file is not installed (Qt's texts then stay English).
bool installJapaneseQtTranslation(QCoreApplication& app);

}  // namespace korvel
