#include "data/collectionreport.h"

#include "device/linkfeedback.h"

namespace trek {

CollectionReport& CurrentCollectionReport()
{
    static CollectionReport report;
    return report;
}

void ShowCollectionMessage(const QString& message, const QString& reason)
{
    CurrentCollectionReport().lastError = reason.isEmpty() ? message : reason;
    ShowMessage(reason.isEmpty() ? message : message + u'\n' + reason);
}

} // namespace trek
