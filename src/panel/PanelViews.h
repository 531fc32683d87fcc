#pragma once
// The windows the panel and snapshot logic show their changes in. Each global is null while its
// window is not visible, so "if the window is visible" is a null test; the windows implement
// these interfaces and only show what they are given.

#include <string>
#include <vector>

#include "panel/SliderOutput.h"

// What the "Slider properties" box shows of one slider, texts already formatted.
struct SliderPropertiesText {
    std::string name;
    std::string current;
    std::string minimum;
    std::string maximum;
    bool sevenBit = true;
    int channel = 0; // list selections: channel 0..15, controllers 0..127
    int controller1 = 0;
    int controller2 = 0;
    bool controller2Enabled = false; // only a 14-bit slider uses controller 2
    int curve = 0;                   // the mapping curve, shown on the curve button
};

// The virtual panel window. The send routine reaches its slider controls through the
// SliderControls part (g_panelControls), everything else through the rest.
class PanelWindow : public SliderControls {
public:
    // The slider control's range 0..range, without redraw.
    virtual void SetSliderRange(int slider, int range) = 0;
    // The "Slider properties" box: name, current, min and max texts, the three lists, the type
    // radios and whether the controller 2 list is enabled.
    virtual void ShowSliderProperties(const SliderPropertiesText& text) = 0;
    // Only the "current" edit.
    virtual void ShowCurrentValue(const std::string& text) = 0;
    virtual void EnableController2List(bool enabled) = 0;
    virtual void SetLockBox(int slider, bool checked) = 0;
    // The snapshot list: items[0] is "Organize", item k is snapshot k. Selecting an item from
    // here must not be reported back as the user's choice (it would recall the snapshot).
    virtual void FillSnapshotList(const std::vector<std::string>& items, int selected) = 0;
    virtual void InsertSnapshotItem(int item, const std::string& name) = 0; // and selects it
    // Holds the panel above the other windows (true) or returns it to normal stacking.
    virtual void KeepInFront(bool inFront) = 0;
    // Closes the window as its Cancel does; it detaches itself (AttachPanelWindow(nullptr)).
    virtual void Close() = 0;
};

// The project manager's branches below its root; None selects no branch after a rebuild.
enum class ProjectBranch { Panel, Snapshots, Transitions, AdditionalFiles, None };

// The project manager window: rebuilt from the records with one branch selected and its first
// entry scrolled into view.
class ProjectManagerView {
public:
    virtual ~ProjectManagerView() = default;
    virtual void Rebuild(ProjectBranch selected) = 0;
};

extern PanelWindow* g_panelWindow;
extern ProjectManagerView* g_projectManagerView;

// Installs (or, with null, removes) the panel window as the panel view and as the send
// routine's slider controls.
void AttachPanelWindow(PanelWindow* window);

inline void RebuildProjectManager(ProjectBranch selected) {
    if (g_projectManagerView) {
        g_projectManagerView->Rebuild(selected);
    }
}
