#include "drawing/spray_generator.h"

namespace kreslix {

SprayGenerator& processSprayGenerator() {
    static SprayGenerator generator;
    return generator;
}

}  // namespace kreslix
