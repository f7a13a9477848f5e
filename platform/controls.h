#pragma once

#include "platform/text.h"

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace chenglan {

// An event handler: takes nothing, returns nothing.
using Handler = std::function<void()>;

// A control as the program sees it; the widget underneath is the toolkit's.
class Control {
  public:
    explicit Control(QWidget* widget) : widget_(widget) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    QWidget* widget() const { return widget_; }

  private:
    QWidget* widget_;
};

class EditBox : public Control {
  public:
    explicit EditBox(QLineEdit* edit);

    Text text() const;
    // Replaces the text, then raises textChanged once before returning, even when
    // the text is the same.
    void setText(const Text& text);

    // The user changed the text, or the program wrote it.
    Handler textChanged;

  private:
    QLineEdit* edit_;
};

class Button : public Control {
  public:
    explicit Button(QPushButton* button);

    Handler clicked;
};

class ComboBox : public Control {
  public:
    explicit ComboBox(QComboBox* combo);

    // Adds items in order and keeps the heading in the edit field, with no selection.
    void addItems(const std::vector<Text>& items);

    int currentSelection() const;
    // The item's text; empty for an index outside the list.
    Text itemText(int index) const;

    // The user accepted a list item. Arrives through the event queue, after the
    // running handler, and never for typing into the edit field.
    Handler listItemSelected;

  private:
    QComboBox* combo_;
};

// A move with optional fields: a field left out, or a width or height of -1, keeps
// its value. Negative sizes reach the widget as zero.
struct Geometry {
    std::optional<int> left, top, width, height;
};
void move(QWidget* control, const Geometry& geometry);

void setVisible(QWidget* control, bool visible);
void setFocus(QWidget* control);

} // namespace chenglan
