// Counts in French messages. French puts zero and one in the singular
// ("0 image", "1 image", "2 images"), so a message that counts never falls
// back on "image(s)".
#pragma once

#include <string>
#include <string_view>

// The count (never negative) followed by the singular or the plural wording.
std::string Counted(long long count, std::string_view singular, std::string_view plural);
