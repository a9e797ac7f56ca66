// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/collectionreport.h"

#include "app/appstate.h"
#include "app/userinterface.h"

namespace trek {

void CollectionReport::tell(const QString& message, const QString& reason)
{
    lastError = reason.isEmpty() ? message : reason;
    user().showMessage(reason.isEmpty() ? message : message + u'\n' + reason);
}

} // namespace trek
