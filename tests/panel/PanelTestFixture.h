#pragma once
// A new project's default panel (16 7-bit sliders on controllers 0..15), output "Out A" open.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fakes/CoreServices.h"
#include "fakes/FakePanelWindow.h"
#include "panel/PanelState.h"
#include "panel/PanelViews.h"
#include "panel/SliderOutput.h"
#include "panel/SliderProps.h"
#include "panel/SliderValidation.h"
#include "random/NoiseSources.h"
#include "snapshots/Snapshots.h"

using Lines = std::vector<std::string>;

class PanelFixture : public CoreServices {
protected:
    void SetUp() override {
        CoreServices::SetUp();
        BuildCurveTables();
        OpenOutput(0);
        MakePanel(16, false);
    }
    void TearDown() override {
        AttachPanelWindow(nullptr);
        g_projectManagerView = nullptr;
        g_gestureView = nullptr;
        CoreServices::TearDown();
    }
    static void MakePanel(int count, bool fourteenBit) {
        g_sliderCount = count;
        g_sliderCountCommitted = count;
        for (int i = 0; i < count; ++i) {
            SetDefaultSlider(i, fourteenBit);
        }
    }
    static SliderRecord& Slider(int index) { return g_sliders[static_cast<std::size_t>(index)]; }
    static std::vector<int> Values() {
        std::vector<int> values;
        std::ranges::transform(g_sliders.begin(), g_sliders.begin() + g_sliderCount,
                               std::back_inserter(values), &SliderRecord::value);
        return values;
    }
    // The bytes each slider of a 7-bit panel sends for the given values (controller = index).
    static Lines SevenBitBytes(const std::vector<int>& values) {
        Lines lines;
        for (std::size_t i = 0; i < values.size(); ++i) {
            char text[16];
            std::snprintf(text, sizeof text, "B0 %02X %02X", static_cast<unsigned>(i),
                          static_cast<unsigned>(values[i]));
            lines.push_back(text);
        }
        return lines;
    }
    void AttachViews() {
        AttachPanelWindow(&m_panel);
        g_projectManagerView = &m_manager;
        g_gestureView = &m_gesture;
    }

    FakePanelWindow m_panel;
    FakeProjectManagerView m_manager;
    FakeGestureView m_gesture;
};
