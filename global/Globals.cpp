#include "global/Globals.h"

namespace global {

Globals& glo()
{
    static Globals instance;
    return instance;
}

} // namespace global
