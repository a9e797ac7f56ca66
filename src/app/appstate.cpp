#include "app/appstate.h"

namespace trek {

AppState& appState()
{
    static AppState state;
    return state;
}

void resetAppState()
{
    appState() = AppState();
}

} // namespace trek
