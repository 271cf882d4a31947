#include "entry/workspace.h"

namespace kelp {

Workspace gWorkspace;

}  // namespace kelp
