#pragma once
// The default panel of a new project (16 7-bit sliders on controllers 0..15), a scripted user
// and a recording MIDI output, with every piece of panel state reset around each test.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/AllState.h"
#include "fakes/FakeMidiService.h"
#include "fakes/FakePanelWindow.h"
#include "fakes/FakeUi.h"
#include "midi/MidiDevices.h"
#include "panel/PanelState.h"
#include "panel/PanelViews.h"
#include "panel/SliderOutput.h"
#include "panel/SliderProps.h"
#include "panel/SliderValidation.h"
#include "random/NoiseSources.h"
#include "snapshots/Snapshots.h"

using Lines = std::vector<std::string>;

class PanelFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        BuildCurveTables();
        m_midi.OpenOutput(0);
        g_midiService = &m_midi;
        g_ui = &m_ui;
        MakePanel(16, false);
    }
    void TearDown() override {
        AttachPanelWindow(nullptr);
        g_projectManagerView = nullptr;
        g_gestureView = nullptr;
        g_midiService = nullptr;
        g_ui = nullptr;
        ResetAllState();
    }
    static void MakePanel(int count, bool fourteenBit) {
        g_sliderCount = count;
        g_sliderCountCommitted = count;
        for (int i = 0; i < count; ++i) {
            SetDefaultSlider(i, fourteenBit);
        }
    }
    static SliderRecord& Slider(int index) { return g_sliders[static_cast<std::size_t>(index)]; }
    // What was sent since the last call.
    Lines Sent() {
        Lines lines = m_midi.SentBytes();
        m_midi.words.clear();
        return lines;
    }
    static std::vector<int> Values() {
        std::vector<int> values;
        for (int i = 0; i < g_sliderCount; ++i) {
            values.push_back(g_sliders[static_cast<std::size_t>(i)].value);
        }
        return values;
    }

    FakeMidiService m_midi;
    FakeUi m_ui;
    FakePanelWindow m_panel;
    FakeProjectManagerView m_manager;
    FakeGestureView m_gesture;
};
