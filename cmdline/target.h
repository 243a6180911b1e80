// The target package lookup and the runtime header reference.
#pragma once

namespace zenta::cmdline {

// Locates the target package and settles the runtime header reference.
void loadTargetConfiguration();

}  // namespace zenta::cmdline
