#include "project/ProjectCommands.h"

#include "base/CommandIds.h"
#include "base/CommandRouter.h"
#include "base/FrameHooks.h"
#include "project/NewProjectDialog.h"
#include "project/ProjectLifecycle.h"
#include "project/ProjectState.h"
#include "project/TemplateTable.h"

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

    // Other Parts set their start values in the same step: theirs run first.
    g_frameHooks.setPartStartValues = [earlier = g_frameHooks.setPartStartValues] {
        if (earlier) {
            earlier();
        }
        ResetProjectDefaults();
        FillTemplateTable();
    };
    g_frameHooks.resetProjectFlags = ResetProjectFlags;
    g_frameHooks.exitProject = ExitProject;
    g_frameHooks.openStartupProject = OpenStartupProject;
    g_frameHooks.dropProjectFile = DropProjectFile;
}
