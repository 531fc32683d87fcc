#pragma once
// Where the panel window's controls stand for a client size: the slider strips and their lock
// boxes, the three group boxes and the controls inside them. Positions are relative to the
// panel's client area; dialog base units come from the window's font.

#include <array>
#include <vector>

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const Rect&) const = default;
};

struct PanelLayout {
    std::vector<Rect> sliders; // one per slider, in index order
    std::vector<Rect> lockBoxes;
    Rect propertiesBox; // "Slider properties"
    Rect controlsBox;   // "Controls"
    Rect snapshotsBox;  // "Snapshots"
    Rect curveButton;
    Rect nameEdit;
    std::array<Rect, 3> numberEdits{}; // current, min, max
    std::array<Rect, 2> typeRadios{};  // "7 bits", "14 bits"
    std::array<Rect, 3> lists{};       // channel, controller 1, controller 2
    std::array<Rect, 6> controlButtons{};
    Rect snapshotList;
};

inline constexpr int kPanelMinimumHeight = 200;

// The layout of a client area of width × height with `sliderCount` strips; controlStyle 1
// draws trackbars, any other value scroll bars. baseX and baseY are the dialog base units.
PanelLayout LayoutPanel(int width, int height, int sliderCount, int controlStyle, int baseX,
                        int baseY);

// The edge being dragged while the window is resized, numbered as the platform reports it.
enum SizingEdge : int {
    kSizingLeft = 1,
    kSizingRight = 2,
    kSizingTop = 3,
    kSizingTopLeft = 4,
    kSizingTopRight = 5,
    kSizingBottom = 6,
    kSizingBottomLeft = 7,
    kSizingBottomRight = 8,
};

// Holds a dragged top or bottom edge 200 pixels from the other one when the window would get
// lower than that.
void KeepMinimumHeight(int edge, int& top, int& bottom);
