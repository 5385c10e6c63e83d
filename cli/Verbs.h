#pragma once

#include "Verb.h"

// The entry points of the verbs, one file each.
namespace kova::cli {

int RunVersion(VerbContext& context);

} // namespace kova::cli
