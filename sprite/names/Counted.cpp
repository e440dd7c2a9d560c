#include "Counted.h"

std::string Counted(long long count, std::string_view singular, std::string_view plural)
{
    return std::to_string(count) + ' ' + std::string(count < 2 ? singular : plural);
}
