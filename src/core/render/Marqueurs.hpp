#pragma once

namespace vitrail {

// A text or flag argument equal to this takes the setting of the same name.
inline constexpr char32_t MarqueurNonDefini[] = U"NonDéfini";
// A picture frame's text: this prefix, then the picture's path.
inline constexpr char32_t PrefixeImage[] = U"@Picture@";

}  // namespace vitrail
