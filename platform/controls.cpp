#include "platform/controls.h"

#include "platform/text_codec.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace chenglan {

namespace {
void raise(const Handler& handler)
{
    if (handler)
        handler();
}

// Return and Enter in a list's edit field would pick a matching item; only choosing
// from the list counts as a selection, and Enter moves no focus either.
class SwallowReturn : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return event->type() == QEvent::KeyPress;
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

EditBox::EditBox(QLineEdit* edit) : Control(edit), edit_(edit)
{
    // User edits only: the program's writes come through setText, which blocks this.
    QObject::connect(edit_, &QLineEdit::textChanged, edit_, [this] { raise(textChanged); });
}

Text EditBox::text() const
{
    return toText(edit_->text());
}

void EditBox::setText(const Text& text)
{
    {
        const QSignalBlocker quiet(edit_);
        edit_->setText(fromText(text));
    }
    raise(textChanged);
}

Button::Button(QPushButton* button) : Control(button)
{
    QObject::connect(button, &QPushButton::clicked, button, [this] { raise(clicked); });
}

ComboBox::ComboBox(QComboBox* combo) : Control(combo), combo_(combo)
{
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setCompleter(nullptr);
    if (combo_->lineEdit())
        combo_->lineEdit()->installEventFilter(new SwallowReturn(combo_));
    // activated comes from the user alone (a pick from the list, or Up/Down on the
    // closed box), never from the program's own setCurrentIndex.
    QObject::connect(
        combo_, &QComboBox::activated, combo_, [this] { raise(listItemSelected); }, Qt::QueuedConnection);
}

void ComboBox::addItems(const std::vector<Text>& items)
{
    const QString heading = combo_->currentText();
    const QSignalBlocker quiet(combo_);
    for (const Text& item : items)
        combo_->addItem(fromText(item));
    combo_->setCurrentIndex(-1);
    combo_->setEditText(heading);
}

int ComboBox::currentSelection() const
{
    return combo_->currentIndex();
}

Text ComboBox::itemText(int index) const
{
    if (index < 0 || index >= combo_->count())
        return {};
    return toText(combo_->itemText(index));
}

void move(QWidget* control, const Geometry& geometry)
{
    const QRect now = control->geometry();
    auto size = [](std::optional<int> wanted, int current) {
        if (!wanted || *wanted == -1)
            return current;
        return std::max(*wanted, 0);
    };
    const QRect target(geometry.left.value_or(now.x()), geometry.top.value_or(now.y()),
                       size(geometry.width, now.width()), size(geometry.height, now.height()));
    if (target != now)
        control->setGeometry(target);
}

void setVisible(QWidget* control, bool visible)
{
    control->setVisible(visible);
}

void setFocus(QWidget* control)
{
    control->setFocus(Qt::OtherFocusReason);
}

} // namespace chenglan
