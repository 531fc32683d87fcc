#pragma once
// The snapshot manager without its window: the list it shows, Rename (with the name box),
// Delete, Close and the refresh of the other windows when it loses activation. The dialog
// shows Items() and Selected() after every step and ends when Closed() turns true.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The window the manager was opened from: that window is not refreshed behind its back.
enum class ManagerOwner { MainWindow, Panel, ProjectManager };

// The name box ("Enter object name..."): shows the name and gives the edited text on OK, none
// on Cancel.
using AskSnapshotName = std::function<std::optional<std::string>(const std::string& name)>;

class SnapshotManager {
public:
    // Opening: 17000 greyed, the names of snapshots 1..count listed, `selected` (a list
    // position, as the project manager asks) or the first selected.
    explicit SnapshotManager(ManagerOwner owner, int selected = 0);

    const std::vector<std::string>& Items() const { return m_items; }
    int Selected() const { return m_selected; } // -1 with an empty list
    bool Closed() const { return m_closed; }

    // "Rename" or a double click on position p.
    void Rename(int position, const AskSnapshotName& askName);
    // "Delete" on position p, after the user's confirmation.
    void Delete(int position);
    // "Close": the other windows show the store again, 17000 is enabled, the dialog ends.
    void Close();
    // The dialog lost activation: windows other than the owner are refreshed when the store
    // changed since the last time.
    void LoseActivation();

private:
    // The number of the snapshot at position p when the store still holds its name.
    int Locate(int position);

    ManagerOwner m_owner;
    std::vector<std::string> m_items;
    int m_selected = -1;
    int m_rememberedCount = 0;
    bool m_closed = false;
};

// The name box hands over at most 499 characters, the width of a snapshot's name.
std::string_view CutSnapshotName(std::string_view text);
