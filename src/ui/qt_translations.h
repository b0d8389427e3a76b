#pragma once

class QCoreApplication;

// Qt's own texts (the file dialogs, standard buttons, the overwrite question) in Simplified Chinese like
// every other text of the program, whatever the system's language. Loads qtbase_zh_CN from Qt's
// translations folder; whether it was found there.
bool installQtTranslations(QCoreApplication& app);
