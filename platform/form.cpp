#include "platform/form.h"

#include "platform/text_codec.h"
#include "platform/toolkit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSessionManager>
#include <QStyledItemDelegate>

namespace chenglan {

class FormWindow : public QWidget {
  public:
    explicit FormWindow(Form& form) : form_(form) {}

  protected:
    void closeEvent(QCloseEvent* event) override
    {
        if (form_.canBeClosed && !form_.canBeClosed()) {
            event->ignore();
            return;
        }
        event->accept();
        if (form_.willBeDestroyed)
            form_.willBeDestroyed();
    }

    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        form_.sizeMayHaveChanged();
    }

    // The window manager's frame is known only once the window is mapped, and it
    // arrives as a move of the client area: the outer size changes with it.
    void moveEvent(QMoveEvent* event) override
    {
        QWidget::moveEvent(event);
        form_.frameMayHaveChanged();
    }

    void showEvent(QShowEvent* event) override
    {
        QWidget::showEvent(event);
        form_.frameMayHaveChanged();
    }

    void changeEvent(QEvent* event) override
    {
        QWidget::changeEvent(event);
        // Minimising and restoring count as size changes, although X keeps the size.
        if (event->type() == QEvent::WindowStateChange) {
            const auto old = static_cast<QWindowStateChangeEvent*>(event)->oldState();
            if ((old ^ windowState()) & Qt::WindowMinimized)
                form_.sizeMayHaveChanged(true);
        }
    }

    // Esc anywhere in the window asks to close it, as the close button does. Keys
    // the controls leave unhandled arrive here.
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && !focusDecidesEscape()) {
            close();
            return;
        }
        QWidget::keyPressEvent(event);
    }

  private:
    bool focusDecidesEscape() const
    {
        for (QWidget* w = QApplication::focusWidget(); w && w != this; w = w->parentWidget())
            if (w->property(EscapeHandledInside).toBool())
                return true;
        return false;
    }

    Form& form_;
};

struct Form::Entry {
    std::string name;
    bool shownAtStart;
    QWidget* widget;
    std::unique_ptr<Control> control; // for the kinds with events
    std::unique_ptr<HtmlViewer> pane;
};

namespace {
QString utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont fontFor(const FontSpec& wanted)
{
    QFont font = QApplication::font();
    if (wanted.songTiPixels > 0) {
        // 宋体 where installed, else a CJK serif, else any CJK face, at the same height.
        font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                          QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN"),
                          QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei")});
        font.setPixelSize(wanted.songTiPixels);
        font.setWeight(QFont::Normal);
    }
    return font;
}

// List rows one pixel taller than the font's own row.
class TallerRows : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 1);
    }
};

// Drop-down lists are 160 pixels tall in all, field and list together.
constexpr int DropDownHeight = 160;

QWidget* makeWidget(const ControlDefinition& def, QWidget* parent, std::unique_ptr<Control>& control)
{
    switch (def.kind) {
    case ControlKind::HyperLinker: {
        // Inert: a patch of the button-face colour, no caption, no target.
        auto* patch = new QWidget(parent);
        patch->setCursor(Qt::PointingHandCursor);
        patch->setBackgroundRole(QPalette::Button);
        patch->setAutoFillBackground(true);
        return patch;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setItemDelegate(new TallerRows(combo));
        combo->setEditText(utf8(def.text));
        control = std::make_unique<ComboBox>(combo);
        return combo;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(utf8(def.text), parent);
        button->setAutoDefault(false);
        control = std::make_unique<Button>(button);
        return button;
    }
    case ControlKind::EditBox: {
        auto* edit = new QLineEdit(utf8(def.text), parent);
        if (def.plainBorder)
            edit->setStyleSheet(
                QStringLiteral("QLineEdit { border: 1px solid black; background: white; color: black; }"));
        control = std::make_unique<EditBox>(edit);
        return edit;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(utf8(def.text), parent);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(false);
        return label;
    }
    case ControlKind::HtmlViewer:
        break;
    }
    return nullptr;
}
} // namespace

Form::Form(const WindowDefinition& def, std::span<const ControlDefinition> controls,
           const PaneFactory& makePane)
    : window_(std::make_unique<FormWindow>(*this))
{
    QWidget* window = window_.get();
    window->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    window->setWindowTitle(utf8(def.title));
    window->setBackgroundRole(QPalette::Button);
    window->setAutoFillBackground(true);
    window->move(def.left, def.top);
    window->setFixedSize(def.width, def.height); // a fixed frame: no dragging of the edges

    controls_.reserve(controls.size());
    for (const ControlDefinition& def : controls) {
        Entry entry{std::string(def.name), def.shown, nullptr, nullptr, nullptr};
        if (def.kind == ControlKind::HtmlViewer) {
            entry.pane = makePane(window);
            entry.widget = entry.pane->widget();
        } else {
            entry.widget = makeWidget(def, window, entry.control);
        }
        QWidget* widget = entry.widget;
        widget->setObjectName(utf8(def.name));
        widget->setFont(fontFor(def.font));
        const bool tabStop = def.kind != ControlKind::Label && def.kind != ControlKind::HyperLinker;
        if (!tabStop)
            widget->setFocusPolicy(Qt::NoFocus);
        int height = def.height;
        if (def.kind == ControlKind::ComboBox) {
            // The closed field keeps the toolkit's height for its font.
            auto* combo = static_cast<QComboBox*>(widget);
            height = combo->sizeHint().height();
            combo->setMaxVisibleItems(
                std::max(1, (DropDownHeight - height) / (combo->fontMetrics().height() + 3)));
        }
        widget->setGeometry(def.left, def.top, def.width, height);
        widget->hide();
        controls_.push_back(std::move(entry));
    }
    // Qt draws later siblings on top; here the earlier control lies above.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        it->widget->raise();

    QObject::connect(qApp, &QGuiApplication::commitDataRequest, window, [this](QSessionManager& manager) {
        if (manager.allowsInteraction()) {
            if (!logOffMayProceed())
                manager.cancel();
            manager.release();
        }
    });
}

Form::~Form()
{
    // The wrappers go first; their widgets must not call into them on the way out.
    for (const Entry& entry : controls_)
        if (entry.control)
            QObject::disconnect(entry.widget, nullptr, entry.widget, nullptr);
}

void Form::load()
{
    for (const Entry& entry : controls_)
        if (entry.shownAtStart)
            entry.widget->show();
    if (created)
        created();
    loaded_ = true;
    sizeMayHaveChanged(true);
    showAtStartPosition();
}

void Form::showAtStartPosition()
{
    // Not the maximised state: the frame is fixed, so the window is moved to the
    // screen's origin and given the screen's whole size instead.
    window_->setWindowState(Qt::WindowNoState);
    window_->winId(); // a native window: some platforms know the frame from here on
    fitToScreen();
    fitPending_ = true;
    window_->show(); // the pending resize is delivered here, before the window maps
}

void Form::fitToScreen()
{
    // The outer size is the screen's: the client area is what the frame leaves.
    QScreen* screen = window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
    const QRect full = screen->geometry();
    window_->move(full.topLeft());
    window_->setFixedSize(full.size().shrunkBy(frameMargins()));
}

QMargins Form::frameMargins() const
{
    const QRect outer = window_->frameGeometry();
    const QRect inner = window_->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

void Form::frameMayHaveChanged()
{
    if (!window_->isVisible())
        return;
    if (fitPending_ && !frameMargins().isNull()) {
        fitPending_ = false;
        fitToScreen();
    }
    sizeMayHaveChanged();
}

void Form::sizeMayHaveChanged(bool evenIfSame)
{
    if (!loaded_)
        return; // loading raises the first one itself
    if (!evenIfSame && width() == reportedWidth_ && height() == reportedHeight_)
        return;
    reportedWidth_ = width();
    reportedHeight_ = height();
    if (sizeChanged)
        sizeChanged();
}

int Form::width() const
{
    return window_->frameGeometry().width();
}

int Form::height() const
{
    return window_->frameGeometry().height();
}

QWidget* Form::window() const
{
    return window_.get();
}

const Form::Entry& Form::find(std::string_view name) const
{
    for (const Entry& entry : controls_)
        if (entry.name == name)
            return entry;
    fatalError(textFromUtf8("找不到控件 \"") + textFromUtf8(name) + "\"");
}

QWidget* Form::control(std::string_view name) const
{
    return find(name).widget;
}

namespace {
template <typename Kind> Kind& as(Control* control, std::string_view name)
{
    auto* typed = dynamic_cast<Kind*>(control);
    if (!typed)
        fatalError(textFromUtf8("控件类型不符 \"") + textFromUtf8(name) + "\"");
    return *typed;
}
} // namespace

EditBox& Form::editBox(std::string_view name) const
{
    return as<EditBox>(find(name).control.get(), name);
}

Button& Form::button(std::string_view name) const
{
    return as<Button>(find(name).control.get(), name);
}

ComboBox& Form::comboBox(std::string_view name) const
{
    return as<ComboBox>(find(name).control.get(), name);
}

HtmlViewer& Form::htmlViewer(std::string_view name) const
{
    const Entry& entry = find(name);
    if (!entry.pane)
        fatalError(textFromUtf8("控件类型不符 \"") + textFromUtf8(name) + "\"");
    return *entry.pane;
}

bool Form::logOffMayProceed()
{
    return !canBeClosed || canBeClosed();
}

} // namespace chenglan
