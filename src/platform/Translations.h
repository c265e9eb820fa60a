#pragma once

class QCoreApplication;

// Qt's own texts (file dialogs, message box buttons, the print preview, the calendar pop-ups, error
// texts) in German, whatever language the system speaks: the program's interface is German throughout.
// Loads the German catalogues of the Qt modules the program uses from Qt's translations folder; a
// missing catalogue leaves those texts in English. Returns how many were loaded.
int loadGermanQtTranslations(QCoreApplication& app);
