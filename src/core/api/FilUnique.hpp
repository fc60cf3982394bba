#pragma once

namespace vitrail::api {

// Every object of the process shares one platform (the toolkit's application object) and one
// HTML export, so they are all used from one thread: the one that created the first of them.
// From any other thread, throws ErreurThread naming the call.
void verifieFil(const char* appel);

}  // namespace vitrail::api
