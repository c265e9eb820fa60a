#pragma once

class QApplication;

// What the program sets on its application object before the first window: organisation and name (the
// settings store's key), the desktop entry it belongs to, the window icon, and Qt's texts in German.
void setUpApplication(QApplication& app);
