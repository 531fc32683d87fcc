#include "base/CommandRouter.h"

#include <map>

namespace {
std::map<int, CommandHandler>& Routes() {
    static std::map<int, CommandHandler> routes;
    return routes;
}
} // namespace

void RouteCommand(int command, CommandHandler handler) {
    Routes()[command] = std::move(handler);
}

bool IsCommandRouted(int command) {
    return Routes().count(command) > 0;
}

bool DispatchCommand(int command) {
    const auto it = Routes().find(command);
    if (it == Routes().end()) {
        return false;
    }
    // A copy: the handler may route commands anew (clearing the preferences does).
    const CommandHandler handler = it->second;
    handler();
    return true;
}

void ResetCommandRoutes() {
    Routes().clear();
}
