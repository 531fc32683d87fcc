// The audio module beside the program hands out the platform's wave device lists.

#include <gtest/gtest.h>

#include "engine/AudioModule.h"

TEST(AudioModule, TheBuiltModuleProvidesTheCatalogAndAMissingOneListsNoDevices) {
    std::string error;
    EXPECT_NE(AudioModuleSymbol(VENTARO_AUDIO_MODULE_DIR, kAudioCatalogFactory, error), nullptr)
        << error;
    std::unique_ptr<AudioDeviceCatalog> catalog =
        CreateAudioDeviceCatalogFrom(VENTARO_AUDIO_MODULE_DIR);
    ASSERT_TRUE(catalog);
    catalog->List(); // whatever the machine has (maybe no audio system), listing never throws
    EXPECT_EQ(AudioModuleSymbol(VENTARO_AUDIO_MODULE_DIR, "NoSuchFactory", error), nullptr);
    EXPECT_NE(error.find("NoSuchFactory"), std::string::npos) << error;

    EXPECT_EQ(AudioModuleSymbol("/nonexistent", kAudioCatalogFactory, error), nullptr);
    EXPECT_NE(error.find("/nonexistent/libventaro-audio.so"), std::string::npos) << error;
    catalog = CreateAudioDeviceCatalogFrom("/nonexistent");
    ASSERT_TRUE(catalog);
    const AudioDeviceNames names = catalog->List();
    EXPECT_TRUE(names.inputs.empty() && names.outputs.empty());
}
