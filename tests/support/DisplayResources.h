#pragma once

#include "widgets/ResourceManager.h"

namespace tonvela::test {

// The fonts and brush the displays under test are given, as the application
// gives its own: one for the whole test program, made after the Qt
// application object and kept until the process ends, since displays keep
// its font handles.
inline const ResourceManager& displayResources() {
    static const ResourceManager& resources = *new ResourceManager;
    return resources;
}

} // namespace tonvela::test
