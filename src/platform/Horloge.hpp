#pragma once

namespace vitrail {

// The timer: seconds since midnight, in single precision.
class Horloge {
  public:
    virtual ~Horloge() = default;
    virtual float Timer() = 0;
};

}  // namespace vitrail
