#include "platform/controls.h"
#include "platform/message_box.h"
#include "platform/skin.h"
#include "platform/text_codec.h"
#include "support/typing.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace chenglan;

Q_DECLARE_METATYPE(QMessageBox::StandardButton)

class TestPlatform : public QObject {
    Q_OBJECT

  private slots:
    void programWriteRaisesTextChangedOnceBeforeReturning()
    {
        QLineEdit edit;
        EditBox box(&edit);
        std::vector<Text> seen;
        box.textChanged = [&] { seen.push_back(box.text()); };

        box.setText("abc");
        QCOMPARE(seen, (std::vector<Text>{"abc"}));
        box.setText("abc"); // unchanged, still raised
        QCOMPARE(seen, (std::vector<Text>{"abc", "abc"}));
        box.setText("");
        QCOMPARE(seen.size(), size_t(3));
        QCOMPARE(edit.text(), QString());
    }

    void userEditsRaiseTextChanged()
    {
        QLineEdit edit;
        EditBox box(&edit);
        std::vector<Text> seen;
        box.textChanged = [&] { seen.push_back(box.text()); };
        edit.show();
        QTest::keyClicks(&edit, QStringLiteral("ab"));
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QTest::keyClick(&edit, Qt::Key_Left); // moves, changes nothing
        QCOMPARE(seen, (std::vector<Text>{"a", "ab", "a"}));
    }

    void listItemSelectedIsQueuedAndOnlyForTheUser()
    {
        QComboBox widget;
        widget.setEditable(true);
        widget.setEditText(QStringLiteral("在线词典"));
        ComboBox combo(&widget);
        combo.addItems({textFromUtf8("汉典"), textFromUtf8("海词"), textFromUtf8("句酷")});
        QCOMPARE(combo.currentSelection(), -1);
        QCOMPARE(widget.currentText(), QStringLiteral("在线词典"));

        std::vector<int> selections;
        combo.listItemSelected = [&] { selections.push_back(combo.currentSelection()); };
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));

        // Typing, even a whole item and Return, selects nothing.
        widget.lineEdit()->selectAll();
        typeText(widget.lineEdit(), QStringLiteral("海词"));
        QTest::keyClick(widget.lineEdit(), Qt::Key_Return);
        // Nor does the program's own selection.
        widget.setCurrentIndex(2);
        QCoreApplication::processEvents();
        QVERIFY(selections.empty());

        // The user's choice arrives after the running code, through the queue.
        widget.setCurrentIndex(-1);
        QTest::keyClick(&widget, Qt::Key_Down);
        QVERIFY(selections.empty());
        QTRY_COMPARE(selections, (std::vector<int>{0}));

        // A pick from the dropped-down list.
        widget.showPopup();
        QAbstractItemView* list = widget.view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(2, 0)).center());
        QTRY_COMPARE(selections, (std::vector<int>{0, 2}));
        QCOMPARE(combo.itemText(2), textFromUtf8("句酷"));
        QCOMPARE(widget.currentText(), QStringLiteral("句酷"));
    }

    void itemTextOutsideTheListIsEmpty()
    {
        QComboBox widget;
        widget.setEditable(true);
        ComboBox combo(&widget);
        combo.addItems({"a"});
        QCOMPARE(combo.itemText(0), Text("a"));
        QCOMPARE(combo.itemText(-1), Text());
        QCOMPARE(combo.itemText(1), Text());
    }

    void moveKeepsLeftOutFields_data()
    {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QRect>("expected");
        constexpr int out = INT_MIN; // the field is left out
        QTest::newRow("all out") << out << out << out << out << QRect(10, 20, 30, 40);
        QTest::newRow("left only") << 5 << out << out << out << QRect(5, 20, 30, 40);
        QTest::newRow("top and height") << out << -3 << out << 7 << QRect(10, -3, 30, 7);
        QTest::newRow("-1 keeps size") << 1 << 2 << -1 << -1 << QRect(1, 2, 30, 40);
        QTest::newRow("negative sizes clamp") << out << out << -26 << -56 << QRect(10, 20, 0, 0);
        QTest::newRow("all given") << 0 << 0 << 100 << 24 << QRect(0, 0, 100, 24);
    }

    void moveKeepsLeftOutFields()
    {
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QRect, expected);
        auto field = [](int value) { return value == INT_MIN ? std::nullopt : std::optional<int>(value); };
        QWidget parent;
        QWidget child(&parent);
        child.setGeometry(10, 20, 30, 40);
        move(&child, {field(left), field(top), field(width), field(height)});
        QCOMPARE(child.geometry(), expected);
    }

    void messageBoxCodes_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QMessageBox::StandardButton>("expectedDefault");
        QTest::addColumn<QMessageBox::StandardButton>("press");
        QTest::addColumn<int>("result");
        using SB = QMessageBox;
        QTest::newRow("yes/no info, Yes") << 0x44 << SB::Yes << SB::Yes << 5;
        QTest::newRow("yes/no info, No") << 0x44 << SB::Yes << SB::No << 6;
        QTest::newRow("ok") << 0x10 << SB::Ok << SB::Ok << 0;
        QTest::newRow("ok/cancel") << 0x01 << SB::Ok << SB::Cancel << 1;
        QTest::newRow("abort") << 0x02 << SB::Abort << SB::Abort << 2;
        QTest::newRow("retry") << 0x02 << SB::Abort << SB::Retry << 3;
        QTest::newRow("ignore") << 0x202 << SB::Ignore << SB::Ignore << 4;
        QTest::newRow("yes/no/cancel, second default") << 0x123 << SB::No << SB::Cancel << 1;
    }

    void messageBoxCodes()
    {
        QFETCH(int, flags);
        QFETCH(QMessageBox::StandardButton, expectedDefault);
        QFETCH(QMessageBox::StandardButton, press);
        QFETCH(int, result);
        // The real box: inspected and answered from inside its own loop.
        QMessageBox::StandardButton shownDefault = QMessageBox::NoButton;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title, text;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            shownDefault = box->standardButton(box->defaultButton());
            icon = box->icon();
            title = box->windowTitle();
            text = box->text();
            box->button(press)->click();
        });
        QCOMPARE(messageBox(textFromUtf8("您确定要退出《澄览》吗?\r\n"), flags, textFromUtf8("提醒:")),
                 result);
        QCOMPARE(shownDefault, expectedDefault);
        QCOMPARE(title, QStringLiteral("提醒:"));
        QCOMPARE(text, QStringLiteral("您确定要退出《澄览》吗?\n"));
        if (flags == 0x44)
            QCOMPARE(icon, QMessageBox::Information);
    }

    void skinColoursFrames_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QColor>("frame");
        QTest::newRow("1") << 1 << QColor(0x7B, 0x9E, 0xBD);
        QTest::newRow("2") << 2 << QColor(0xA4, 0xB9, 0x7F);
        QTest::newRow("3") << 3 << QColor(0xC6, 0xC5, 0xD7);
        QTest::newRow("plain") << 0 << QColor();
    }

    void skinColoursFrames()
    {
        QFETCH(int, style);
        QFETCH(QColor, frame);
        QWidget window;
        auto* button = new QPushButton(QStringLiteral("百   度"), &window);
        button->setGeometry(0, 0, 80, 24);
        auto* edit = new QLineEdit(&window);
        edit->setGeometry(0, 30, 80, 24);
        auto* combo = new QComboBox(&window);
        combo->setEditable(true);
        combo->setGeometry(0, 60, 80, 24);
        window.show();
        setSkinStyle(style);
        for (QWidget* control : std::initializer_list<QWidget*>{button, edit, combo}) {
            const QColor edge = control->grab().toImage().pixelColor(0, control->height() / 2);
            if (frame.isValid())
                QCOMPARE(edge, frame);
            else
                for (int s = 1; s <= 3; ++s)
                    QVERIFY(edge != *skinFrameColour(s));
        }
        setSkinStyle(0);
    }
};

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
