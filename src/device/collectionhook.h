#pragma once

#include <functional>

namespace trek {

// Discovery hands every wristband it finds to the collection run, which lives above this layer.
// The run installs itself here at start-up; without it, discovery only shows the wristband in the
// drive label.
using CollectionRun = std::function<void()>;
void SetCollectionRun(CollectionRun run);
void StartCollectionRun();

} // namespace trek
