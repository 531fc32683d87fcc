#pragma once
// Recording stand-ins for the panel, project manager and gesture windows; panel calls as text.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "panel/PanelViews.h"
#include "snapshots/Snapshots.h"

class FakePanelWindow : public PanelWindow {
public:
    void SetSliderPosition(int slider, int value) override { Log("position", slider, value); }
    void SetTransportButton(int stopped) override { Log("transport " + std::to_string(stopped)); }
    void SetSliderRange(int slider, int range) override { Log("range", slider, range); }
    // "properties Slider3 -1..1", and " cc2" when the controller 2 list is enabled.
    void ShowSliderProperties(const SliderPropertiesText& text) override {
        Log("properties " + text.name + " " + text.minimum + ".." + text.maximum +
            (text.controller2Enabled ? " cc2" : ""));
    }
    void ShowCurrentValue(const std::string& text) override { Log("current " + text); }
    void EnableController2List(bool on) override { Log(on ? "controller2 on" : "controller2 off"); }
    void SetLockBox(int slider, bool checked) override { Log("lock", slider, checked); }
    void FillSnapshotList(const std::vector<std::string>& items, int selected) override {
        list = items;
        listSelection = selected;
        Log("fill list " + std::to_string(items.size()) + " select " + std::to_string(selected));
    }
    void InsertSnapshotItem(int item, const std::string& name) override {
        list.insert(list.begin() + item, name);
        listSelection = item;
        Log("insert " + std::to_string(item) + " " + name);
    }
    void KeepInFront(bool inFront) override { Log(inFront ? "front on" : "front off"); }
    void Close() override {
        Log("close");
        AttachPanelWindow(nullptr);
    }

    std::vector<std::string> CallsOf(const std::string& prefix) const {
        std::vector<std::string> found;
        std::ranges::copy_if(calls, std::back_inserter(found),
                             [&](const std::string& call) { return call.starts_with(prefix); });
        return found;
    }

    std::vector<std::string> calls;
    std::vector<std::string> list;
    int listSelection = -1;

private:
    void Log(const std::string& call) { calls.push_back(call); }
    // "position 2=16"
    void Log(const char* what, int slider, int value) {
        Log(what + (" " + std::to_string(slider)) + "=" + std::to_string(value));
    }
};

class FakeProjectManagerView : public ProjectManagerView {
public:
    void Rebuild(ProjectBranch selected) override { rebuilds.push_back(selected); }
    std::vector<ProjectBranch> rebuilds;
};

class FakeGestureView : public GestureView {
public:
    void AppendCornerName(const std::string& name) override { appended.push_back(name); }
    void RefillCornerLists(const std::vector<std::string>& names,
                           const std::array<std::int32_t, 4>& selected) override {
        refilledNames = names;
        refilledSelection = selected;
    }
    void Close() override {
        ++closes;
        g_gestureView = nullptr;
    }
    void KeepInFront(bool inFront) override { inFront ? ++frontOn : ++frontOff; }
    std::vector<std::string> appended;
    std::vector<std::string> refilledNames;
    std::array<std::int32_t, 4> refilledSelection{};
    int closes = 0;
    int frontOn = 0;
    int frontOff = 0;
};
