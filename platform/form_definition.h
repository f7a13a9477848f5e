#pragma once

#include <string_view>

// The form format the toolkit loads windows from.

namespace chenglan {

enum class ControlKind { HyperLinker, ComboBox, Button, EditBox, Label, HtmlViewer };

// Font of a control: the platform's default GUI font, or 宋体 at a pixel height.
struct FontSpec {
    int songTiPixels = 0; // 0: the default GUI font
};

// One control of a window as stored. A window is built from a list of these, in
// order; an earlier control lies above a later one where they overlap.
struct ControlDefinition {
    std::string_view name; // also the widget's object name
    ControlKind kind;
    int left, top, width, height;
    bool shown;
    std::string_view text; // caption, label text, edit text or a list's heading (UTF-8)
    FontSpec font = {};
    bool plainBorder = false; // a one-pixel line instead of the sunken edge
};

struct WindowDefinition {
    std::string_view title;
    int left, top, width, height; // outer size, frame and caption included
};

} // namespace chenglan
