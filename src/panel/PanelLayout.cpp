#include "panel/PanelLayout.h"

#include <algorithm>

namespace {

constexpr int kGroupTop = 1;
constexpr int kGroupHeight = 73;

} // namespace

PanelLayout LayoutPanel(int width, int height, int sliderCount, int controlStyle, int baseX,
                        int baseY) {
    const int w = width;
    const int n = std::max(sliderCount, 1);
    const int bx = baseX;
    const int by = baseY;
    const int c = w / (2 * n - 1);
    PanelLayout layout;
    layout.sliders.reserve(static_cast<std::size_t>(n));
    layout.lockBoxes.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const int centre = (2 * w * i) / (2 * n - 1) + c / 2;
        if (controlStyle == 1) {
            const int stripWidth = std::min(c, 20);
            layout.sliders.push_back({centre - stripWidth / 2 + 1, 92, stripWidth, height - 92});
        } else {
            const int stripWidth = std::min(c, 16);
            layout.sliders.push_back({centre - stripWidth / 2 + 1, 96, stripWidth, height - 98});
        }
        layout.lockBoxes.push_back({centre - std::min(c, 12) / 2, 80, std::min(c, 14), 10});
    }

    layout.propertiesBox = {0, kGroupTop, (w / 6) * 3, kGroupHeight};
    layout.controlsBox = {3 * w / 6, kGroupTop, (w / 6) * 2, kGroupHeight};
    layout.snapshotsBox = {5 * w / 6, kGroupTop, w / 6, kGroupHeight};

    // A group box's client area is the whole box.
    const int gw = layout.propertiesBox.width;
    const int gh = layout.propertiesBox.height;
    const int f = (gw - 2 * bx) / 5;
    // The curve button is a square as high as the name edit beside it, big enough to hit and
    // to show its curve; the name edit keeps its right edge.
    const int editHeight = by + 8;
    const int nameRight = bx + 2 * (gw - 2 * bx) / 5;
    layout.curveButton = {bx, by + 5, editHeight, editHeight};
    const int nameLeft = bx + editHeight + std::max(bx / 2, 2);
    layout.nameEdit = {nameLeft, by + 5, std::max(nameRight - nameLeft, 0), editHeight};
    for (int k = 0; k < 3; ++k) {
        layout.numberEdits[static_cast<std::size_t>(k)] = {(k + 2) * f + bx, by + 5, f, by + 8};
        layout.lists[static_cast<std::size_t>(k)] = {(k + 2) * f + bx, 2 * by + 14, f,
                                                     (gh - 2 * by) / 2};
    }
    for (int k = 0; k < 2; ++k) {
        layout.typeRadios[static_cast<std::size_t>(k)] = {k * f + bx, 2 * by + 19, f,
                                                          (gh - 2 * by) / 2};
    }
    const int controlsWidth = layout.controlsBox.width;
    const int controlsHeight = layout.controlsBox.height;
    const int g = (controlsWidth - 2 * bx) / 6;
    for (int k = 0; k < 6; ++k) {
        layout.controlButtons[static_cast<std::size_t>(k)] = {k * g + bx + 3 * (w / 6), by + 5, g,
                                                              controlsHeight - by - 15};
    }
    const int snapshotsHeight = layout.snapshotsBox.height;
    layout.snapshotList = {5 * w / 6 + bx, by + 5, w / 6 - 2 * bx, snapshotsHeight - by - 15};
    return layout;
}

void KeepMinimumHeight(int edge, int& top, int& bottom) {
    if (bottom - top >= kPanelMinimumHeight) {
        return;
    }
    switch (edge) {
    case kSizingTop:
    case kSizingTopLeft:
    case kSizingTopRight:
        top = bottom - kPanelMinimumHeight;
        break;
    case kSizingBottom:
    case kSizingBottomLeft:
    case kSizingBottomRight:
        bottom = top + kPanelMinimumHeight;
        break;
    default:
        break;
    }
}
