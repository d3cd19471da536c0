// Counts the drawing and window objects the program holds, so that tests can prove that
// nothing is left over after thousands of frames. Under Wine GetGuiResources always answers 0,
// so handle leaks are only visible from inside.
#pragma once

namespace object_count {
void Created();
void Deleted();
// Objects created and not yet deleted, over the whole process.
long Alive();
}  // namespace object_count
