#include "base/Ui.h"

Ui* g_ui = nullptr;

void ShowWarning(const std::string& text) {
    if (g_ui) {
        g_ui->ShowMessage(text, MessageIcon::Warning);
    }
}

bool AskYesNo(const std::string& text, MessageIcon icon) {
    return g_ui && g_ui->ShowMessage(text, icon, MessageButtons::YesNo) == MessageAnswer::Yes;
}
