#pragma once

#include "platform/controls.h"
#include "platform/form_definition.h"
#include "platform/html_viewer.h"

#include <QMargins>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

class QWidget;

namespace chenglan {

class FormWindow;

// A control with this property set to true decides about Esc itself while it (or a
// widget inside it) has the focus; the window then leaves the key alone.
inline constexpr char EscapeHandledInside[] = "escapeHandledInside";

// A top-level window loaded from a form definition, with its controls by name.
class Form {
  public:
    using PaneFactory = std::function<std::unique_ptr<HtmlViewer>(QWidget* parent)>;

    // Builds the window and its controls hidden, raising no event. The pane is made
    // by the factory (and may start loading at once).
    Form(const WindowDefinition& window, std::span<const ControlDefinition> controls,
         const PaneFactory& makePane);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Shows the visible controls, raises created, then sizeChanged, then shows the
    // window at its start position: at the screen's origin with the screen's full
    // size, which raises sizeChanged once more where that changes the size.
    void load();

    // Events of the window.
    Handler created;
    Handler sizeChanged;               // after every change of the outer size
    std::function<bool()> canBeClosed; // asked on every close request; false keeps the window
    Handler willBeDestroyed;           // the window is closing for good

    // Outer size, frame and caption included.
    int width() const;
    int height() const;
    QWidget* window() const;

    // Controls by name. A missing control, or one of another kind, is a fatal error.
    QWidget* control(std::string_view name) const;
    EditBox& editBox(std::string_view name) const;
    Button& button(std::string_view name) const;
    ComboBox& comboBox(std::string_view name) const;
    HtmlViewer& htmlViewer(std::string_view name) const;

    // The session is logging off: asks canBeClosed as a close would; false refuses it.
    bool logOffMayProceed();

  private:
    friend class FormWindow;
    struct Entry;
    const Entry& find(std::string_view name) const;
    // Raises sizeChanged where the outer size differs from the one last reported.
    void sizeMayHaveChanged(bool evenIfSame = false);
    void frameMayHaveChanged();
    void showAtStartPosition();
    void fitToScreen();
    QMargins frameMargins() const;

    std::unique_ptr<FormWindow> window_;
    std::vector<Entry> controls_;
    bool loaded_ = false;
    int reportedWidth_ = -1, reportedHeight_ = -1;
    bool fitPending_ = false; // the first show still waits for the frame's size
};

} // namespace chenglan
