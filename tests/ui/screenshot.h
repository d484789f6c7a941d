#pragma once
// Saves a picture of a window when FENMARK_SCREENSHOT_DIR names a folder, so
// that a person can look at what the tests drove.

#include <QString>
#include <QWidget>

namespace fenmark::test {

inline void saveScreenshot(QWidget& widget, const char* name) {
    const QString dir = qEnvironmentVariable("FENMARK_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    widget.grab().save(dir + "/" + QString::fromLatin1(name) + ".png");
}

}  // namespace fenmark::test
