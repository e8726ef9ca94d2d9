#ifndef STYLESHEET_H
#define STYLESHEET_H

#include <QString>

class QApplication;

// Applies the embedded style sheet ":/qss/default.css" to application.
// Returns false, after a line in the message log, when the resource system
// holds nothing, the file cannot be opened or it is empty; the application's
// style sheet is then left as it was.
bool loadStyleSheet(QApplication &application);

// The same for the style sheet file at path, without the resource check.
bool loadStyleSheetFile(QApplication &application, const QString &path);

// Tells the user, in a modal box, that the default appearance is used.
void showStyleSheetWarning();

#endif // STYLESHEET_H
