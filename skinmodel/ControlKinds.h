// The control kinds by type keyword, in the order the factory compares them. A kind that is not
// built yet has no creator: elements of its type yield no control, as unknown keywords do.
#pragma once

#include "skinmodel/ControlFactory.h"

#include <utility>
#include <vector>

std::vector<std::pair<const char*, TControlCreator>> BuiltInControlKinds();
