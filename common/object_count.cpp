#include "common/object_count.h"

namespace {
// One thread draws; a plain counter is enough.
long alive = 0;
}  // namespace

namespace object_count {
void Created() { ++alive; }
void Deleted() { --alive; }
long Alive() { return alive; }
}  // namespace object_count
