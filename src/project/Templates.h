#pragma once
// The template library and the template dialog's logic: each template is a project image with
// its script texts and, for some, a sample sound exported beside the project.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

inline constexpr int kTemplateCount = 8;
inline constexpr std::size_t kTemplateNameWidth = 30;
inline constexpr std::string_view kSampleFileName = "Voice.wav";

struct TemplateEntry {
    std::array<char, kTemplateNameWidth> projectName{}; // entry of type "Project"
    std::array<char, kTemplateNameWidth> script1Name{}; // entry of type "Text"
    std::array<char, kTemplateNameWidth> script2Name{}; // empty: the template has no script 2
    std::int32_t needsSample = 0;                       // 1: "Voice.wav" is exported
};

// Filled once at start-up with the names inside the template library.
extern std::array<TemplateEntry, kTemplateCount> g_templates;
// The row last chosen in the template list, preselected when the list opens again.
extern int g_rememberedTemplate;

// A loaded template library: typed, named entries and a string table.
class TemplateLibrary {
public:
    virtual ~TemplateLibrary() = default;
    // The bytes of an entry ("Project", "Text" or "Wave"); nothing when the library has none.
    virtual std::optional<std::span<const std::uint8_t>> FindEntry(std::string_view type,
                                                                   std::string_view name) = 0;
    // String `id` of the library's string table; empty when it has none.
    virtual std::string LibraryString(int id) = 0;
};

// The template dialog opening: false (after the version message) when the library is not of
// version 1; the dialog then acts as Cancel.
bool CheckTemplateLibraryVersion(TemplateLibrary& library);
// Copies template `index` into the project: 1 on success (also when only the sample could not
// be exported), 0 when the template was refused (reported; nothing of it taken).
std::int32_t LoadTemplate(TemplateLibrary& library, int index);
// OK of the template dialog with the list's selection (nothing when the list has none).
void AcceptTemplate(TemplateLibrary& library, std::optional<int> selection);
// Cancel of the template dialog, and every refusal: a 7-bit default panel of the dialog's count.
void CancelTemplate();
