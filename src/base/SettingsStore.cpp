#include "base/SettingsStore.h"

SettingsStore* g_settingsStore = nullptr;

std::optional<Bytes> ReadRecord(SettingsStore& store, const std::string& key,
                                const std::string& name, std::size_t size) {
    std::optional<Bytes> bytes = store.ReadValue(key, name, size);
    if (!bytes || bytes->size() != size) {
        return std::nullopt;
    }
    return bytes;
}
