#include "compiler/basesimb.h"

#include <cstring>

BaseSimb* BaseSimbList::findByName(const char* name) const {
    for (int i = items.count() - 1; i >= 0; --i) {
        if (std::strcmp(items[i]->getName(), name) == 0) return items[i];
    }
    return nullptr;
}
