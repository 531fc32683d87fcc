#pragma once
// A template library of typed, named entries held in memory, with a version string.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "project/Templates.h"

class FakeTemplateLibrary : public TemplateLibrary {
public:
    std::optional<std::span<const std::uint8_t>> FindEntry(std::string_view type,
                                                           std::string_view name) override {
        auto it = entries.find(std::string(type) + "/" + std::string(name));
        return it == entries.end() ? std::nullopt
                                   : std::optional(std::span<const std::uint8_t>(it->second));
    }
    std::string LibraryString(int id) override { return id == 1 ? version : ""; }

    // Puts an entry in place under "Type/Name".
    void Put(const std::string& key, std::string_view bytes) {
        entries[key].assign(bytes.begin(), bytes.end());
    }
    std::map<std::string, std::vector<std::uint8_t>> entries;
    std::string version = "1";
};
