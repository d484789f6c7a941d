#pragma once
// What every view does after each event: copies a control's state from its
// model into the widget that shows it, without firing the widget's own
// signals again.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QString>
#include <string>

#include "platform/controls.h"

namespace fenmark::ui {

inline QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline void mirror(const platform::Control& control, QLabel* label) {
    label->setText(fromUtf8(control.caption));
    label->setEnabled(control.enabled);
    label->setVisible(control.visible);
}

inline void mirror(const platform::Control& control, QPushButton* button) {
    const QSignalBlocker blocker(button);
    button->setText(fromUtf8(control.caption));
    button->setToolTip(fromUtf8(control.toolTip));
    button->setEnabled(control.enabled);
    button->setVisible(control.visible);
}

// The text is set only when it differs, so that the cursor of a box being
// typed into stays where it is.
inline void mirror(const platform::TextBox& box, QLineEdit* edit) {
    const QSignalBlocker blocker(edit);
    const QString text = fromUtf8(box.text);
    if (edit->text() != text) edit->setText(text);
    edit->setEnabled(box.enabled);
    edit->setVisible(box.visible);
}

}  // namespace fenmark::ui
