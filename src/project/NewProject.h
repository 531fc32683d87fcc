#pragma once
// The new-project dialog's logic: the kinds, their slider limits, the default panels, and the
// name and title a new project gets. The dialog only shows what these give.

#include <optional>
#include <string>
#include <string_view>

// The most sliders a panel kind may start with: 128 (7-bit, template), 64 (14-bit).
int SliderCountLimit(int kind);
// The description line shown for a kind.
std::string NewProjectDescription(int kind);
// The count field read as the dialog reads it: an unsigned number, nothing when it is not one.
std::optional<int> ParseSliderCount(std::string_view text);

// A default panel of `count` sliders (Slider1.., controllers from 0, pairs i and i + 64 for the
// 14-bit kind), no snapshots, the window states reset.
void BuildDefaultPanel(bool fourteenBit, int count);

enum class NewProjectChoice {
    Refused,        // the count does not fit the kind: the warning was shown, the dialog stays
    PanelBuilt,     // a default panel was built: the dialog ends, then FinishNewProject
    ChooseTemplate, // the dialog ends and the template dialog runs (Templates.h)
};
// OK of the new-project dialog.
NewProjectChoice AcceptNewProject(int kind, std::string_view countText);
// Cancel of the new-project dialog: the count and the kind as they were committed.
void CancelNewProject();
// The steps every kind ends with once the dialogs are closed: the project is named
// "Project<n>.vtp" with the path "./Project<n>.vtp", marked untitled and changed, and opened.
void FinishNewProject();
