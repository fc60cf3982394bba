#pragma once

namespace vitrail {

// The timer: seconds since midnight, in single precision.
class Chronometre {
  public:
    virtual ~Chronometre() = default;
    virtual float Timer() = 0;
};

}  // namespace vitrail
