#include "project/Templates.h"

#include <cstring>
#include <new>
#include <vector>

#include "base/FileSystem.h"
#include "base/Ui.h"
#include "panel/PanelState.h"
#include "project/NewProject.h"
#include "project/ProjectIo.h"
#include "project/ProjectState.h"
#include "resources/Strings.h"
#include "scripts/ScriptStore.h"

namespace {

void Refuse() {
    g_ui->ShowMessage(Str(kStrInvalidProject), MessageIcon::Warning);
}

// The decimal value at the start of a text, as the C library's atoi reads it.
long DecimalValue(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) {
        ++at;
    }
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        ++at;
    }
    long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9' && value < 1000000; ++at) {
        value = value * 10 + (text[at] - '0');
    }
    return negative ? -value : value;
}

// A script text entry as the script buffers hold it: up to its first zero byte. An entry that
// would not fit a buffer with its terminator is refused, as is a named entry that is missing.
bool TakeTemplateText(TemplateLibrary& library, std::string_view name, std::string& text) {
    text.clear();
    if (name.empty()) {
        return true;
    }
    const auto entry = library.FindEntry("Text", name);
    if (!entry || entry->size() >= kScriptBufferSize) {
        return false;
    }
    if (entry->empty()) {
        return true; // an empty entry has no bytes to search (and may have no storage at all)
    }
    const auto* begin = reinterpret_cast<const char*>(entry->data());
    const void* zero = std::memchr(begin, 0, entry->size());
    text.assign(begin, zero ? static_cast<const char*>(zero) : begin + entry->size());
    return true;
}

void ExportSample(TemplateLibrary& library) {
    const auto sample = library.FindEntry("Wave", kSampleFileName);
    if (!sample || g_fileSystem->WriteFileAtomically(std::string(kSampleFileName), *sample) !=
                       FileStatus::Ok) {
        g_ui->ShowMessage(Str(kStrSampleExportError), MessageIcon::Warning);
    }
}

} // namespace

bool CheckTemplateLibraryVersion(TemplateLibrary& library) {
    if (DecimalValue(library.LibraryString(1)) != 1) {
        g_ui->ShowMessage(Str(kStrWrongTemplateVersion), MessageIcon::Warning);
        return false;
    }
    return true;
}

std::int32_t LoadTemplate(TemplateLibrary& library, int index) {
    if (index < 0 || index >= kTemplateCount) {
        Refuse();
        return 0;
    }
    const TemplateEntry& row = g_templates[static_cast<std::size_t>(index)];
    const auto entry = library.FindEntry("Project", TextOf(row.projectName));
    if (!entry) {
        Refuse();
        return 0;
    }
    std::vector<std::uint8_t> image;
    try {
        image.assign(entry->begin(), entry->end());
    } catch (const std::bad_alloc&) {
        g_ui->ShowMessage(Str(kStrTemplateNoMemory), MessageIcon::Stop);
        return 0;
    }

    // Everything is checked before anything is taken: the image, then both texts.
    ProjectHeader header;
    std::array<std::string, 2> texts;
    if (CheckProjectImage(image, false, header) != ImageCheck::Ok ||
        !TakeTemplateText(library, TextOf(row.script1Name), texts[0]) ||
        !TakeTemplateText(library, TextOf(row.script2Name), texts[1])) {
        Refuse();
        return 0;
    }
    LowerGestureCorners(header);
    g_projectHeader = header;
    g_projectName = header.projectName;
    TakeProjectImage(header, image);
    g_snapshotNameCounter = header.snapshotCount + 1;
    for (std::size_t i = 0; i < 2; ++i) {
        g_scriptTextsSaved[i] = texts[i];
        g_scriptTexts[i] = texts[i];
        g_scriptLoaded[i] = 1;
        g_scriptSavedFile[i].clear(); // the template's texts are not on the disk yet
    }
    if (row.needsSample == 1) {
        ExportSample(library);
    }
    return 1;
}

void AcceptTemplate(TemplateLibrary& library, std::optional<int> selection) {
    if (!selection) {
        CancelTemplate();
        return;
    }
    g_rememberedTemplate = *selection;
    if (LoadTemplate(library, *selection) == 0) {
        CancelTemplate();
    }
}

void CancelTemplate() {
    const int count = g_sliderCount >= 1 && g_sliderCount <= kMaxSliders ? g_sliderCount : 16;
    BuildDefaultPanel(false, count);
}
