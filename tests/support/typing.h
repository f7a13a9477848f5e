#pragma once

#include <QTest>

namespace chenglan {

// Types any text, one key event per character (QTest::keyClicks takes ASCII only).
inline void typeText(QWidget* widget, const QString& text)
{
    for (char32_t codePoint : text.toUcs4())
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString::fromUcs4(&codePoint, 1),
                            Qt::NoModifier);
}

} // namespace chenglan
