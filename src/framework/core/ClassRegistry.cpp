#include "framework/core/ClassRegistry.h"

namespace fw {

TClassRegistry& ClassRegistry() {
    static TClassRegistry registry;
    return registry;
}

}  // namespace fw
