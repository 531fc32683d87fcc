#pragma once
// Recording stand-ins for the panel window, the project manager and the gesture window: each
// call is kept as a line of text, in order.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "panel/PanelViews.h"
#include "snapshots/Snapshots.h"

class FakePanelWindow : public PanelWindow {
public:
    void SetSliderPosition(int slider, int value) override {
        calls.push_back("position " + std::to_string(slider) + "=" + std::to_string(value));
    }
    void SetTransportButton(int stopped) override {
        calls.push_back("transport " + std::to_string(stopped));
    }
    void SetSliderRange(int slider, int range) override {
        calls.push_back("range " + std::to_string(slider) + "=" + std::to_string(range));
    }
    void ShowSliderProperties(const SliderPropertiesText& text) override {
        properties.push_back(text);
        calls.push_back("properties " + text.name);
    }
    void ShowCurrentValue(const std::string& text) override { calls.push_back("current " + text); }
    void EnableController2List(bool enabled) override {
        calls.push_back(std::string("controller2 ") + (enabled ? "on" : "off"));
    }
    void SetLockBox(int slider, bool checked) override {
        calls.push_back("lock " + std::to_string(slider) + "=" + (checked ? "1" : "0"));
    }
    void FillSnapshotList(const std::vector<std::string>& items, int selected) override {
        list = items;
        listSelection = selected;
        calls.push_back("fill list " + std::to_string(items.size()) + " select " +
                        std::to_string(selected));
    }
    void InsertSnapshotItem(int item, const std::string& name) override {
        list.insert(list.begin() + item, name);
        listSelection = item;
        calls.push_back("insert " + std::to_string(item) + " " + name);
    }
    void KeepInFront(bool inFront) override {
        calls.push_back(std::string("front ") + (inFront ? "on" : "off"));
    }
    void Close() override {
        calls.push_back("close");
        AttachPanelWindow(nullptr);
    }

    // The calls whose text starts with the prefix.
    std::vector<std::string> CallsOf(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& call : calls) {
            if (call.rfind(prefix, 0) == 0) {
                found.push_back(call);
            }
        }
        return found;
    }

    std::vector<std::string> calls;
    std::vector<SliderPropertiesText> properties;
    std::vector<std::string> list;
    int listSelection = -1;
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
        ++refills;
    }
    void Close() override {
        ++closes;
        g_gestureView = nullptr;
    }
    std::vector<std::string> appended;
    std::vector<std::string> refilledNames;
    std::array<std::int32_t, 4> refilledSelection{};
    int refills = 0;
    int closes = 0;
};
