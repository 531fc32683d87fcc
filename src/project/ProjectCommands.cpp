#include "project/ProjectCommands.h"

#include "base/CommandIds.h"
#include "base/CommandRouter.h"
#include "base/FrameHooks.h"
#include "project/NewProjectDialog.h"
#include "project/ProjectLifecycle.h"
#include "project/ProjectState.h"

void InstallProjectCommands(std::function<QWidget*()> owner) {
    RouteCommand(kCmdNewProject, [owner] {
        if (BeginNewProject()) {
            NewProjectDialog::Run(owner());
        }
    });
    RouteCommand(kCmdOpenProject, OpenProjectCommand);
    RouteCommand(kCmdCloseProject, CloseProjectCommand);
    RouteCommand(kCmdSaveProject, SaveProjectCommand);
    RouteCommand(kCmdSaveProjectAs, SaveProjectAsCommand);

    g_frameHooks.exitProject = ExitProject;
    g_frameHooks.openStartupProject = OpenStartupProject;
    g_frameHooks.dropProjectFile = DropProjectFile;
}
