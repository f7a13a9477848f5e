#include "platform/skin.h"

#include <QApplication>

namespace chenglan {

std::optional<QColor> skinFrameColour(int style)
{
    switch (style) {
    case 1:
        return QColor(0x7B, 0x9E, 0xBD);
    case 2:
        return QColor(0xA4, 0xB9, 0x7F);
    case 3:
        return QColor(0xC6, 0xC5, 0xD7);
    default:
        return std::nullopt;
    }
}

void setSkinStyle(int style)
{
    const std::optional<QColor> frame = skinFrameColour(style);
    if (!frame) {
        qApp->setStyleSheet(QString());
        return;
    }
    // One application style sheet reaches every widget, present and future, and the
    // message box's buttons too.
    const QString colour = frame->name();
    qApp->setStyleSheet(
        QStringLiteral(
            "QPushButton { border: 1px solid %1; border-radius: 2px; background: palette(button); padding: "
            "1px 4px; }"
            "QPushButton:hover { background: palette(light); }"
            "QPushButton:pressed { background: palette(midlight); }"
            "QPushButton:focus { border: 2px solid %1; }"
            "QLineEdit, QComboBox, QAbstractSpinBox { border: 1px solid %1; background: white; color: black; "
            "}"
            "QComboBox QAbstractItemView { border: 1px solid %1; }"
            "QGroupBox { border: 1px solid %1; margin-top: 1ex; }"
            "QCheckBox::indicator, QRadioButton::indicator { border: 1px solid %1; background: white; }"
            "QCheckBox::indicator:checked, QRadioButton::indicator:checked { background: %1; }")
            .arg(colour));
}

} // namespace chenglan
