#include "device/collectionhook.h"

#include "app/appstate.h"
#include "device/linkfeedback.h"

namespace trek {

namespace {

CollectionRun& installedRun()
{
    static CollectionRun run;
    return run;
}

} // namespace

void SetCollectionRun(CollectionRun run)
{
    installedRun() = std::move(run);
}

void StartCollectionRun()
{
    if (installedRun()) {
        installedRun()();
        return;
    }
    ShowDriveLabel(ConnectedLabel(appState().link.driveLetter));
}

} // namespace trek
